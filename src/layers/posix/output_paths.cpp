#include "layers/posix/output_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

struct Identity {
    bool exists = false;
    bool characterDevice = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string resolved;  // of a file that does not exist yet
};

Identity identify(const std::string& path)
{
    Identity id;
    struct stat info {};
    if (path == "-" ? fstat(STDOUT_FILENO, &info) == 0 : stat(path.c_str(), &info) == 0) {
        id.exists = true;
        id.characterDevice = S_ISCHR(info.st_mode);
        id.device = info.st_dev;
        id.inode = info.st_ino;
        return id;
    }
    // A dangling symbolic link is written through: follow it to where the
    // file would be made.
    std::string where = path;
    char target[PATH_MAX];
    for (int hops = 0; hops < 40; ++hops) {
        const ssize_t length = readlink(where.c_str(), target, sizeof target - 1);
        if (length <= 0)
            break;
        const std::string next(target, static_cast<std::size_t>(length));
        where = next[0] == '/' ? next : folderOf(where) + "/" + next;
    }
    const std::size_t slash = where.find_last_of('/');
    const std::string name = slash == std::string::npos ? where : where.substr(slash + 1);
    if (char* folder = realpath(folderOf(where).c_str(), nullptr)) {
        id.resolved = std::string(folder) + "/" + name;
        std::free(folder);
    }
    return id;
}

bool sameFile(const Identity& a, const Identity& b)
{
    if (a.exists && b.exists)
        return a.device == b.device && a.inode == b.inode && !a.characterDevice;
    return !a.exists && !b.exists && !a.resolved.empty() && a.resolved == b.resolved;
}

}  // namespace

std::string checkWritable(const std::string& path)
{
    if (path.empty())
        return "no file name";
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return "it is a folder";
        return access(path.c_str(), W_OK) == 0 ? std::string() : std::strerror(errno);
    }
    const std::string folder = folderOf(path);
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return "no folder " + folder;
    return access(folder.c_str(), W_OK | X_OK) == 0 ? std::string() : std::strerror(errno);
}

std::string findSameFile(const std::vector<NamedFile>& files)
{
    const auto named = [](const NamedFile& file) {
        return file.option + (file.option.back() == ':' ? "" : " ") + file.path;
    };
    std::vector<Identity> ids;
    for (const NamedFile& file : files)
        ids.push_back(identify(file.path));
    for (std::size_t i = 0; i < files.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if ((files[i].output || files[j].output) && sameFile(ids[i], ids[j]))
                return named(files[i]) + " and " + named(files[j]) + " are the same file";
    return {};
}
