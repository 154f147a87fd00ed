#include "layers/sdl/menu_dialog.h"

#include <cstdio>

#include "layers/sdl/font_lookup.h"

namespace {

SDL_Rect dialogUnits(int x, int y, int w, int h)
{
    auto across = [](int units) { return (units * 3 + 1) / 2; };
    auto down = [](int units) { return (units * 13 + 4) / 8; };
    return SDL_Rect{across(x), down(y), across(w), down(h)};
}

bool inside(const SDL_Rect& r, int x, int y)
{
    return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
}

constexpr SDL_Color textColour{0, 0, 0, 255};
constexpr int fontPixels = 13;

}  // namespace

MenuLayout menuLayout()
{
    return MenuLayout{dialogUnits(0, 0, 419, 272), dialogUnits(15, 15, 388, 73),
                      dialogUnits(19, 121, 382, 111), dialogUnits(185, 241, 50, 14)};
}

void MenuDialog::destroy()
{
    for (SDL_Surface** surface : {&descriptionSurface, &keyHelpSurface, &okSurface}) {
        SDL_FreeSurface(*surface);
        *surface = nullptr;
    }
    shownDescription = shownKeyHelp = nullptr;
    if (font != nullptr) {
        TTF_CloseFont(font);
        font = nullptr;
        TTF_Quit();
    }
    if (window != nullptr) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    isShown = false;
}

bool MenuDialog::create(SDL_Window* owner)
{
    const MenuLayout layout = menuLayout();
    window = SDL_CreateWindow("MENU", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, layout.window.w,
                              layout.window.h, SDL_WINDOW_HIDDEN | SDL_WINDOW_SKIP_TASKBAR);
    if (window == nullptr)
        return false;
    id = SDL_GetWindowID(window);
    // Kept above the game by the window manager.
    SDL_Rect screen{0, 0, 0, 0};
    SDL_GetDisplayBounds(0, &screen);
    const SDL_Rect place = dialogUnits(40, 40, 0, 0);
    SDL_SetWindowPosition(window, screen.x + place.x, screen.y + place.y);
    SDL_SetWindowModalFor(window, owner);

    const std::string fontFile = findFontFile("sans-serif:scalable=true");
    if (!fontFile.empty() && TTF_Init() == 0) {
        font = TTF_OpenFont(fontFile.c_str(), fontPixels);
        if (font == nullptr)
            TTF_Quit();
    }
    if (font == nullptr)
        std::fprintf(stderr, "brightwicket: no sans font found through fontconfig; "
                             "the MENU dialog shows no text\n");
    else
        okSurface = TTF_RenderUTF8_Blended(font, "OK", textColour);
    return true;
}

void MenuDialog::setText(SDL_Surface*& surface, const char*& current, const char* text, int width)
{
    // The texts are set at every show, but rendered again only for a text
    // other than the one shown last.
    if (font == nullptr || text == current)
        return;
    SDL_FreeSurface(surface);
    surface = TTF_RenderUTF8_Blended_Wrapped(font, text, textColour, static_cast<Uint32>(width));
    current = text;
}

void MenuDialog::show(const char* description, const char* keyHelp)
{
    if (window == nullptr)
        return;
    const MenuLayout layout = menuLayout();
    setText(descriptionSurface, shownDescription, description, layout.description.w);
    setText(keyHelpSurface, shownKeyHelp, keyHelp, layout.keyHelp.w);
    okHeld = false;
    isShown = true;
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
    redraw();
}

void MenuDialog::hide()
{
    isShown = false;
    okHeld = false;
    if (window != nullptr)
        SDL_HideWindow(window);
}

void MenuDialog::press(int x, int y)
{
    okHeld = inside(menuLayout().okButton, x, y);
    redraw();
}

bool MenuDialog::release(int x, int y)
{
    const bool clicked = okHeld && inside(menuLayout().okButton, x, y);
    okHeld = false;
    redraw();
    return clicked;
}

void MenuDialog::pressOkKey()
{
    okHeld = true;
    redraw();
}

bool MenuDialog::releaseOkKey()
{
    const bool clicked = okHeld;
    okHeld = false;
    redraw();
    return clicked;
}

void MenuDialog::redraw()
{
    if (window == nullptr || !isShown)
        return;
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr)
        return;
    const MenuLayout layout = menuLayout();
    auto fill = [&](SDL_Rect r, Uint8 grey) {
        SDL_FillRect(surface, &r, SDL_MapRGB(surface->format, grey, grey, grey));
    };
    // Text is clipped to its control, as a static control would.
    auto blitInto = [&](SDL_Surface* text, const SDL_Rect& box, bool centred) {
        if (text == nullptr)
            return;
        SDL_Rect source{0, 0, SDL_min(text->w, box.w), SDL_min(text->h, box.h)};
        SDL_Rect target{box.x, box.y, source.w, source.h};
        if (centred) {
            target.x += (box.w - source.w) / 2;
            target.y += (box.h - source.h) / 2;
        }
        SDL_BlitSurface(text, &source, surface, &target);
    };

    fill(SDL_Rect{0, 0, surface->w, surface->h}, 240);
    blitInto(descriptionSurface, layout.description, false);
    blitInto(keyHelpSurface, layout.keyHelp, false);

    // The default push button: a dark frame, lighter face, darker while held.
    const SDL_Rect& ok = layout.okButton;
    fill(ok, 0);
    fill(SDL_Rect{ok.x + 2, ok.y + 2, ok.w - 4, ok.h - 4}, okHeld ? 200 : 225);
    blitInto(okSurface, ok, true);
    SDL_UpdateWindowSurface(window);
}
