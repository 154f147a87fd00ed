#pragma once
// Addresses a message the way a desktop does when it is handled: the shown
// MENU dialog is the active window and takes the keys; a click on a dialog
// that is not shown reaches nobody (returns false); the rest goes to the main
// window. Shared by every layer that models the dialog itself.

#include "platform/messages.h"

inline bool addressMessage(Message& message, bool menuShown)
{
    switch (message.kind) {
    case MessageKind::keyDown:
        message.target = menuShown ? MessageTarget::menuDialog : MessageTarget::mainWindow;
        return true;
    case MessageKind::menuOk:
    case MessageKind::menuClose:
        message.target = MessageTarget::menuDialog;
        return menuShown;
    default:
        message.target = MessageTarget::mainWindow;
        return true;
    }
}
