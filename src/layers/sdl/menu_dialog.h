#pragma once
// The MENU dialog as a small window of its own: the description and the key
// help as wrapped text, and an OK button for the mouse. It is drawn through
// its window surface, never through GL, so the game's context stays alone.

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>

// Where the dialog's parts lie, in pixels of the dialog window. The layout is
// given in dialog units of the dialog's 8-point font, about 1.5 pixels across
// and 1.625 down.
struct MenuLayout {
    SDL_Rect window, description, keyHelp, okButton;
};
MenuLayout menuLayout();

class MenuDialog {
public:
    MenuDialog() = default;
    ~MenuDialog() { destroy(); }
    MenuDialog(const MenuDialog&) = delete;
    MenuDialog& operator=(const MenuDialog&) = delete;

    // Makes the hidden dialog in front of `owner`, where its template puts
    // it: 40, 40 dialog units from the primary screen's top-left corner.
    // False when no window could be made; the game then runs without it.
    bool create(SDL_Window* owner);
    // Closes the window and the font; needed before SDL itself is shut down.
    void destroy();

    // Shows the dialog with its two texts and makes it the active window.
    void show(const char* description, const char* keyHelp);
    void hide();
    // After a fault of the display: forget the window without asking the
    // display anything (hiding waits for an answer that may never come); it
    // goes with the connection when the program ends.
    void abandon()
    {
        window = nullptr;
        isShown = false;
    }
    bool shown() const { return isShown; }
    std::uint32_t windowId() const { return id; }

    // Left button down and up at a point of the dialog; the release returns
    // true when it completes a click of OK.
    void press(int x, int y);
    bool release(int x, int y);
    // Space down and up: OK has the keyboard focus, so Space works it as a
    // click does; the release returns true when it completes the press.
    void pressOkKey();
    bool releaseOkKey();

    void redraw();

private:
    void setText(SDL_Surface*& surface, const char*& current, const char* text, int width);

    SDL_Window* window = nullptr;
    std::uint32_t id = 0;
    TTF_Font* font = nullptr;
    SDL_Surface* descriptionSurface = nullptr;
    SDL_Surface* keyHelpSurface = nullptr;
    SDL_Surface* okSurface = nullptr;
    const char* shownDescription = nullptr;
    const char* shownKeyHelp = nullptr;
    bool isShown = false;
    bool okHeld = false;
};
