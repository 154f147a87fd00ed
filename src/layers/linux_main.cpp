// The Linux program: the headless runner with --headless, the desktop game
// otherwise; --help and --version answer for both.

#include <malloc.h>

#include <string>
#include <vector>

#include "layers/common/command_help.h"
#include "layers/headless/headless_run.h"
#include "layers/sdl/desktop_run.h"

int main(int argc, char** argv)
{
    // Mesa's software rasteriser frees and takes again large buffers every
    // frame; left to glibc's defaults they are unmapped or trimmed off the
    // heap and faulted in afresh each time. Kept, they cost nothing.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    const std::vector<std::string> args(argv + 1, argv + argc);
    int status = 0;
    if (answerHelpOrVersion(args, status))
        return status;
    for (const std::string& arg : args)
        if (arg == "--headless")
            return headlessMain(args);
    return desktopMain(args);
}
