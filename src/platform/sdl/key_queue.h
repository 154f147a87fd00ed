#pragma once
// Queueing a key-down with what the queue must know of auto-repeat: a repeat
// is left out while the same key's earlier press still waits, so a held key
// (or stick) never builds a backlog and stops acting as soon as it is let go.

#include <cstddef>

#include "platform/platform.h"
#include "platform/sdl/event_ring.h"

// True when a key-down with this code waits in the ring. Looks by taking
// every message out and putting it back in the same order, as the ring shows
// nothing but its ends.
template <std::size_t Capacity>
bool keyDownWaits(EventRing<Message, Capacity>& ring, std::int32_t code)
{
    bool waits = false;
    Message message;
    for (std::size_t n = ring.size(); n > 0; --n) {
        ring.pop(message);
        waits = waits || (message.kind == MessageKind::keyDown && message.code == code);
        ring.push(message);
    }
    return waits;
}

// A full ring drops the press, as a full message queue would.
template <std::size_t Capacity>
void queueKeyDown(EventRing<Message, Capacity>& ring, const Message& message, bool repeat)
{
    if (repeat && keyDownWaits(ring, message.code))
        return;
    ring.push(message);
}
