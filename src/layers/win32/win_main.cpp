// The Windows program. Like the MENU dialog, the game record exists with its
// start values before wWinMain runs. With no options it is the full-screen
// game; options are read as the Linux program reads them, from the wide
// command line, so file names may hold any character.

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/main_loop.h"
#include "layers/common/command_help.h"
#include "layers/win32/text_output.h"
#include "layers/win32/wide_text.h"
#include "layers/win32/win32_platform.h"
#include "layers/win32/windows_run.h"
#include "state/game_state.h"

namespace {

GameState gameState;

std::vector<std::string> commandLineArguments()
{
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i)
        args.push_back(narrowed(wide[i]));
    LocalFree(wide);
    return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    const std::vector<std::string> args = commandLineArguments();
    if (args.empty()) {
        Win32Platform platform(instance, showCommand, false);
        return runGame(gameState, platform);
    }
    openTextOutput();
    // The first of --help and --version wins, whatever else is given.
    for (const std::string& arg : args) {
        if (arg == "--help")
            return writeStandardOutput(commandHelpText) ? 0 : 1;
        if (arg == "--version")
            return writeStandardOutput(std::string(versionText) + "\n") ? 0 : 1;
    }
    for (const std::string& arg : args)
        if (arg == "--headless")
            return headlessMain(args);
    return desktopMain(gameState, instance, showCommand, args);
}
