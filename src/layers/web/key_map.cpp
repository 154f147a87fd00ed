#include "layers/web/key_map.h"

namespace {

struct NamedKey {
    std::string_view name;
    int code;
};

// By `key` for the keys that type nothing.
constexpr NamedKey namedKeys[] = {
    {"Backspace", 8}, {"Tab", 9},         {"Enter", 13},       {"Shift", 16},       {"Control", 17},
    {"Pause", 19},    {"CapsLock", 20},   {"Escape", 27},      {" ", 32},           {"PageUp", 33},
    {"PageDown", 34}, {"End", 35},        {"Home", 36},        {"ArrowLeft", 37},   {"ArrowUp", 38},
    {"ArrowRight", 39}, {"ArrowDown", 40}, {"PrintScreen", 44}, {"Insert", 45},     {"Delete", 46},
    {"Meta", 91},     {"ContextMenu", 93}, {"NumLock", 144},   {"ScrollLock", 145},
};

// By `code` for the keypad and the punctuation, whose characters depend on
// the layout.
constexpr NamedKey placedKeys[] = {
    {"NumpadMultiply", 106}, {"NumpadAdd", 107},   {"NumpadSubtract", 109}, {"NumpadDecimal", 110},
    {"NumpadDivide", 111},   {"Semicolon", 186},   {"Equal", 187},          {"Comma", 188},
    {"Minus", 189},          {"Period", 190},      {"Slash", 191},          {"Backquote", 192},
    {"BracketLeft", 219},    {"Backslash", 220},   {"BracketRight", 221},   {"Quote", 222},
};

// "F1" to "F24" give 1 to 24, anything else 0.
int functionKeyNumber(std::string_view key)
{
    if (key.size() < 2 || key.size() > 3 || key[0] != 'F')
        return 0;
    int number = 0;
    for (char c : key.substr(1)) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + (c - '0');
    }
    return number <= 24 ? number : 0;
}

}  // namespace

int virtualKeyCode(const BrowserKey& key)
{
    if (key.key.size() == 1) {
        const char c = key.key[0];
        if (c >= 'a' && c <= 'z')
            return 'A' + (c - 'a');
        if (c >= 'A' && c <= 'Z')
            return c;
        if (c >= '0' && c <= '9')
            return key.code.starts_with("Numpad") ? 96 + (c - '0') : c;
    }
    if (const int f = functionKeyNumber(key.key); f > 0)
        return 111 + f;
    for (const NamedKey& named : namedKeys)
        if (named.name == key.key)
            return named.code;
    for (const NamedKey& placed : placedKeys)
        if (placed.name == key.code)
            return placed.code;
    // Cyrillic, Greek and the like: the letter printed in the Latin layout.
    if (key.code.size() == 4 && key.code.starts_with("Key") && key.code[3] >= 'A' && key.code[3] <= 'Z')
        return key.code[3];
    return -1;
}

bool messageForKey(const BrowserKey& key, bool menuShown, Message& out)
{
    const MessageTarget target = menuShown ? MessageTarget::menuDialog : MessageTarget::mainWindow;
    if (key.alt) {
        // Alt+F4, where the browser passes it on, is the close request of
        // whichever window is active; no other Alt combination reaches the
        // game.
        if (key.key != "F4")
            return false;
        out = Message{menuShown ? MessageKind::menuClose : MessageKind::close, target, 0};
        return true;
    }
    const int code = virtualKeyCode(key);
    if (code < 0 || key.key == "F10")
        return false;
    out = Message{MessageKind::keyDown, target, code};
    return true;
}
