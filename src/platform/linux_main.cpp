// The Linux program: the headless runner with --headless, the desktop game
// otherwise.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/headless/headless_run.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args)
        if (arg == "--headless")
            return headlessMain(args);
    std::fprintf(stderr,
                 "brightwicket: the desktop game is not part of this build yet; "
                 "run it headless: brightwicket --headless --frames N --no-render\n");
    return 1;
}
