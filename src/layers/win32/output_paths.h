#pragma once
// What a run checks about its file names before it opens anything for
// writing: that each output can be written, and that no output names an input
// or another output (which would destroy the one or garble both).

#include <string>
#include <vector>

// Whether `path` could be written, found without writing it: an existing
// file must not be read-only or a folder, a new one needs an existing folder.
// Returns an empty string when it can, else the reason in a few words.
std::string checkWritable(const std::string& path);

struct NamedFile {
    std::string option;  // as the command line gave it: "--trace"
    std::string path;    // "-" is standard output
    bool output = true;
};

// Two of the files are one when they share volume serial number and file
// index (through any name, link or short name), or, where a file does not
// exist yet, when their full paths agree, case aside. Consoles and NUL hold
// nothing that could be lost and never clash. Returns the first clash of an
// output with an earlier file as one line, or an empty string.
std::string findSameFile(const std::vector<NamedFile>& files);
