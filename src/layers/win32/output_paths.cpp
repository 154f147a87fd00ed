#include "layers/win32/output_paths.h"

#include <windows.h>

#include "layers/win32/text_output.h"
#include "layers/win32/wide_text.h"

namespace {

struct Identity {
    bool exists = false;
    bool device = false;
    DWORD volume = 0;
    DWORD indexHigh = 0, indexLow = 0;
    std::wstring fullPath;  // of a file that does not exist yet
};

Identity identify(const std::string& path)
{
    Identity id;
    HANDLE file = path == "-" ? standardOutput() : nullptr;
    const bool opened = file == nullptr && path != "-";
    if (opened)
        // No access asked for: the identity of a file open elsewhere, or
        // one that may not be read, can still be had.
        file = CreateFileW(widened(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file != nullptr && file != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION info{};
        id.device = GetFileType(file) != FILE_TYPE_DISK;
        if (!id.device && GetFileInformationByHandle(file, &info) != 0) {
            id.exists = true;
            id.volume = info.dwVolumeSerialNumber;
            id.indexHigh = info.nFileIndexHigh;
            id.indexLow = info.nFileIndexLow;
        }
        if (opened)
            CloseHandle(file);
        if (id.exists || id.device)
            return id;
    }
    wchar_t full[32768];
    const DWORD length = GetFullPathNameW(widened(path).c_str(), 32768, full, nullptr);
    if (length > 0 && length < 32768) {
        id.fullPath.assign(full, length);
        CharUpperBuffW(id.fullPath.data(), static_cast<DWORD>(id.fullPath.size()));
    }
    return id;
}

bool sameFile(const Identity& a, const Identity& b)
{
    if (a.device || b.device)
        return false;
    if (a.exists && b.exists)
        return a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow;
    return !a.exists && !b.exists && !a.fullPath.empty() && a.fullPath == b.fullPath;
}

std::wstring folderOf(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) + L"." : L".";
    return slash == 0 || (slash == 2 && path[1] == L':') ? path.substr(0, slash + 1) : path.substr(0, slash);
}

}  // namespace

std::string checkWritable(const std::string& path)
{
    if (path.empty())
        return "no file name";
    const std::wstring wide = widened(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return "it is a folder";
        return (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? "it is read-only" : "";
    }
    const std::wstring folder = folderOf(wide);
    const DWORD folderAttributes = GetFileAttributesW(folder.c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES || (folderAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return "no folder " + narrowed(folder);
    return {};
}

std::string findSameFile(const std::vector<NamedFile>& files)
{
    std::vector<Identity> ids;
    for (const NamedFile& file : files)
        ids.push_back(identify(file.path));
    for (std::size_t i = 0; i < files.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if ((files[i].output || files[j].output) && sameFile(ids[i], ids[j]))
                return files[i].option + " " + files[i].path + " and " + files[j].option + " " + files[j].path +
                       " are the same file";
    return {};
}
