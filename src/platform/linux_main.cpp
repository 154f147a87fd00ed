// The Linux program: the headless runner with --headless, the desktop game
// otherwise.

#include <string>
#include <vector>

#include "platform/headless/headless_run.h"
#include "platform/sdl/desktop_run.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args)
        if (arg == "--headless")
            return headlessMain(args);
    return desktopMain(args);
}
