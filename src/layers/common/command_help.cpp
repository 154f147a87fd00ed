#include "layers/common/command_help.h"

#include <cstdio>

const char* const commandHelpText =
    "Brightwicket Soccer: score four goals in 25 attempts against three defenders and a goalkeeper.\n"
    "\n"
    "Usage:\n"
    "  brightwicket [--windowed] [--record FILE] [--trace FILE]\n"
    "      Play on the desktop, covering the primary screen (--windowed: in a 1280 x 720 window).\n"
    "      --record writes every handled message as an input script, which replays headless;\n"
    "      --trace writes the frame trace, one CSV row per frame ('-' is standard output).\n"
    "  brightwicket --watch FILE [--windowed] [--trace FILE]\n"
    "      Watch a recording in the window, at the game's pace: Space pauses and resumes,\n"
    "      the right arrow held skims, Escape leaves. The trace is that of its headless replay.\n"
    "  brightwicket --headless --frames N [--script FILE] [--trace FILE]\n"
    "               [--screenshot FRAME:FILE.png]... [--size WxH] [--no-render]\n"
    "      Run at most N turns without a window, sound or sleeping, with the key presses of\n"
    "      the input script (TURN EVENT per line); screenshots as PNG, 1920x1080 by default.\n"
    "  brightwicket --help | --version\n"
    "\n"
    "Keys:\n"
    "  Enter       start a match (from the title, or restart the counters during play)\n"
    "  Arrow keys  move the controlled player; touching the ball while moving carries it\n"
    "  A           pass to the other player, who then takes the control\n"
    "  S           shoot at a random point of the goal mouth\n"
    "  P           pause; once the pause has settled (30 frames), P resumes\n"
    "  R           while paused: abandon the match and return to the title\n"
    "  Z           switch the music off and on\n"
    "  M           show the MENU dialog; its OK button (or Space) closes it\n"
    "  Escape      quit\n"
    "\n"
    "Music: gamesound.wav in the working directory, played in a loop; the installed launcher\n"
    "starts the game in the folder that holds it. Without it the game plays silently.\n"
    "\n"
    "More in README.md and docs/REPLAY-FORMAT.md (input scripts and traces): in the source\n"
    "tree, and in share/doc/brightwicket/ where the game is installed.\n";

const char* const versionText = "brightwicket " BRIGHTWICKET_VERSION;

bool answerHelpOrVersion(const std::vector<std::string>& args, int& status)
{
    for (const std::string& arg : args) {
        if (arg != "--help" && arg != "--version")
            continue;
        const bool written = arg == "--help" ? std::fputs(commandHelpText, stdout) >= 0
                                             : std::printf("%s\n", versionText) > 0;
        status = written && std::fflush(stdout) == 0 ? 0 : 1;
        return true;
    }
    return false;
}
