#include "layers/common/pad_keys.h"

#include <cstdlib>
#include <iterator>

namespace {

constexpr int buttonKeys[] = {
    vk::a,      // south: pass
    vk::s,      // east: shoot
    vk::z,      // west: music
    vk::r,      // north: restart
    vk::p,      // back: pause
    vk::enter,  // start
    vk::m,      // left shoulder: the MENU dialog
    vk::up, vk::down, vk::left, vk::right,
};

// The arrow nearest to the stick's direction, or -1 inside the dead zone.
int stickArrow(int x, int y)
{
    const std::int64_t dx = x, dy = y, zone = PadKeys::stickDeadZone;
    if (dx * dx + dy * dy < zone * zone)
        return -1;
    if (std::abs(x) >= std::abs(y))
        return x < 0 ? vk::left : vk::right;
    return y < 0 ? vk::up : vk::down;
}

}  // namespace

Message PadKeys::message(const PadPress& press, bool menuShown)
{
    if (menuShown && !press.repeat && (press.code == vk::a || press.code == vk::enter)) {
        // A fresh press is always the newest held.
        if (heldCount > 0 && held[heldCount - 1].code == press.code)
            held[heldCount - 1].usedUp = true;
        return Message{MessageKind::menuOk, MessageTarget::menuDialog, 0};
    }
    return Message{MessageKind::keyDown, menuShown ? MessageTarget::menuDialog : MessageTarget::mainWindow,
                   press.code};
}

std::optional<PadPress> PadKeys::button(int pad, PadButton button, bool down, std::int64_t ms)
{
    const auto source = static_cast<std::uint8_t>(button);
    if (source >= std::size(buttonKeys))
        return std::nullopt;
    if (!down) {
        letGo(pad, source, ms);
        return std::nullopt;
    }
    for (int i = 0; i < heldCount; ++i)
        if (held[i].pad == pad && held[i].source == source)
            return std::nullopt;  // still held: SDL told us twice
    return press(pad, source, buttonKeys[source], ms);
}

std::optional<PadPress> PadKeys::stick(int pad, int x, int y, std::int64_t ms)
{
    const int arrow = stickArrow(x, y);
    for (int i = 0; i < heldCount; ++i)
        if (held[i].pad == pad && held[i].source == stickSource && held[i].code == arrow)
            return std::nullopt;  // still the same arrow
    letGo(pad, stickSource, ms);
    if (arrow < 0)
        return std::nullopt;
    return press(pad, stickSource, arrow, ms);
}

void PadKeys::drop(int pad, std::int64_t ms)
{
    for (int i = heldCount - 1; i >= 0; --i)
        if (held[i].pad == pad)
            letGo(pad, held[i].source, ms);
}

std::optional<PadPress> PadKeys::due(std::int64_t ms)
{
    if (heldCount == 0 || ms < nextRepeat || held[heldCount - 1].usedUp)
        return std::nullopt;
    nextRepeat += repeatMs;
    if (nextRepeat <= ms)
        nextRepeat = ms + repeatMs;
    return PadPress{held[heldCount - 1].code, true};
}

std::optional<PadPress> PadKeys::press(int pad, std::uint8_t source, int code, std::int64_t ms)
{
    // More held at once than anyone has hands for: the oldest stops counting.
    if (heldCount == static_cast<int>(held.size())) {
        for (int i = 1; i < heldCount; ++i)
            held[i - 1] = held[i];
        --heldCount;
    }
    held[heldCount++] = Held{pad, source, code, false};
    nextRepeat = ms + firstRepeatMs;
    return PadPress{code, false};
}

void PadKeys::letGo(int pad, std::uint8_t source, std::int64_t ms)
{
    for (int i = 0; i < heldCount; ++i) {
        if (held[i].pad != pad || held[i].source != source)
            continue;
        if (i == heldCount - 1)
            nextRepeat = ms + repeatMs;  // the one held before takes over
        for (int j = i + 1; j < heldCount; ++j)
            held[j - 1] = held[j];
        --heldCount;
        return;
    }
}
