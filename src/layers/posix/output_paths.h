#pragma once
// What a run checks about its file names before it opens anything for
// writing: that each output can be written, and that no output names an input
// or another output (which would destroy the one or garble both).

#include <string>
#include <vector>

// Whether `path` could be written, found without writing it: an existing
// file must be writable and not a folder (devices and pipes are fine: a trace
// may well go to one), a new one needs a writable folder. Returns an empty
// string when it can, else the reason in a few words.
std::string checkWritable(const std::string& path);

struct NamedFile {
    std::string option;  // as the command line gave it: "--trace", "--screenshot 3:"
    std::string path;    // "-" is standard output
    bool output = true;
};

// Two of the files are one when they share device and inode (through
// symbolic and hard links), or, where a file does not exist yet, when their
// resolved paths agree. Character devices (terminals, /dev/null) hold nothing
// that could be lost and never clash. Returns the first clash of an output
// with an earlier file as one line, or an empty string.
std::string findSameFile(const std::vector<NamedFile>& files);
