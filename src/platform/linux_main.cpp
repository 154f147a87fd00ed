// The Linux program: the headless runner with --headless, the desktop game
// otherwise; --help and --version answer for both.

#include <string>
#include <vector>

#include "platform/command_help.h"
#include "platform/headless/headless_run.h"
#include "platform/sdl/desktop_run.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    int status = 0;
    if (answerHelpOrVersion(args, status))
        return status;
    for (const std::string& arg : args)
        if (arg == "--headless")
            return headlessMain(args);
    return desktopMain(args);
}
