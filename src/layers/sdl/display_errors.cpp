#include "layers/sdl/display_errors.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <string>

#include "layers/common/exit_status.h"
#include "layers/posix/stop_signals.h"

namespace {

std::function<void()> displayLostAction;
bool displayFault = false;

extern "C" int onDisplayError(Display*, XErrorEvent* error)
{
    if (!displayFault)
        reportProblem("the display refused a request for a window of the game (X error " +
                          std::to_string(error->error_code) + "); the game ends",
                      exitStatus::failed);
    displayFault = true;
    return 0;
}

extern "C" int onDisplayLost(Display*)
{
    if (displayLostAction)
        displayLostAction();
    reportProblem("lost the connection to the display; the game ends", exitStatus::failed);
    _exit(exitStatus::failed);
}

}  // namespace

void watchDisplay()
{
    displayFault = false;
    XSetErrorHandler(onDisplayError);
    XSetIOErrorHandler(onDisplayLost);
}

void setDisplayLostAction(std::function<void()> action)
{
    displayLostAction = std::move(action);
}

bool displayFailed()
{
    return displayFault;
}
