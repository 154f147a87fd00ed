#include "layers/win32/output_file.h"

#include <algorithm>
#include <cstring>

#include "layers/win32/text_output.h"
#include "layers/win32/wide_text.h"

std::unique_ptr<OutputFile> OutputFile::open(const std::string& path, std::size_t bufferBytes, std::string& problem)
{
    if (path == "-") {
        const HANDLE output = standardOutput();
        if (output == nullptr) {
            problem = "there is no standard output (redirect it, or name a file)";
            return nullptr;
        }
        return std::unique_ptr<OutputFile>(new OutputFile(output, false, bufferBytes));
    }
    // Others may read it while it grows, as a trace is watched.
    const HANDLE file = CreateFileW(widened(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        problem = systemProblem(GetLastError());
        return nullptr;
    }
    return std::unique_ptr<OutputFile>(new OutputFile(file, true, bufferBytes));
}

OutputFile::OutputFile(HANDLE handle, bool owned, std::size_t bufferBytes)
    : handle(handle), owned(owned), buffer(std::max<std::size_t>(bufferBytes, 1))
{
}

bool OutputFile::fail(const std::string& why)
{
    if (problem_.empty())
        problem_ = why;
    used = 0;
    return false;
}

bool OutputFile::flush()
{
    if (failed() || handle == nullptr)
        return false;
    std::size_t done = 0;
    while (done < used) {
        DWORD wrote = 0;
        if (WriteFile(handle, buffer.data() + done, static_cast<DWORD>(used - done), &wrote, nullptr) == 0)
            return fail(systemProblem(GetLastError()));
        if (wrote == 0)
            return fail("nothing could be written");
        done += wrote;
    }
    used = 0;
    return true;
}

bool OutputFile::write(std::string_view data)
{
    while (!data.empty() && !failed()) {
        if (used == buffer.size() && !flush())
            return false;
        const std::size_t part = std::min(data.size(), buffer.size() - used);
        std::memcpy(buffer.data() + used, data.data(), part);
        used += part;
        data.remove_prefix(part);
    }
    return !failed();
}

bool OutputFile::close()
{
    if (handle == nullptr)
        return !failed();
    flush();
    if (owned && CloseHandle(handle) == 0)
        fail(systemProblem(GetLastError()));
    handle = nullptr;
    return !failed();
}
