#pragma once
// The Windows layer: a popup window over the whole primary screen with a WGL
// context, the modeless MENU dialog, looping music through PlaySoundW, and
// the performance counter with Sleep for the frame pause.

#include <windows.h>

#include <cstdint>

#include "platform/platform.h"

class Win32Platform : public Platform {
public:
    // The game record must outlive the platform: the window and dialog
    // procedures hand their messages to it for as long as the platform lives.
    Win32Platform(GameState& state, HINSTANCE instance, int showCommand);
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    void keepDisplayAwake(bool awake) override;
    void showCursor(bool show) override;
    bool createMainWindow() override;
    void showMainWindow() override;
    void takeFirstMessage() override;
    void handleOneMessage(GameState& state) override;
    bool drawsFrames() const override { return true; }
    void presentFrame() override;
    void startMusic() override;
    void stopMusic() override;
    void showMenuDialog(const char* description, const char* keyHelp) override;
    void endMenuDialog() override;
    void reactivateMainWindow() override;
    void destroyMainWindow() override;
    std::int64_t clockNanoseconds() override;
    void sleepMilliseconds(std::int64_t ms) override;

private:
    HINSTANCE instance;
    int showCommand;
    HACCEL accelerators = nullptr;
    std::int64_t counterFrequency = 1;
};

// The modeless MENU dialog, made hidden while the program's statics are
// initialised, before wWinMain runs.
extern HWND menuDialog;

// The window procedures' way back into the game; set while a Win32Platform
// lives, null before wWinMain (the dialog already gets messages then).
extern GameState* procedureGame;
extern Platform* procedurePlatform;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
