#pragma once
// The layers' message queue: fixed rings, so a running game never allocates
// for its input. Escape and close requests go first and are never dropped;
// a held key's repeats merge into its press while that still waits.

#include <array>
#include <cstddef>

#include "platform/messages.h"

template <class T, std::size_t Capacity>
class EventRing {
public:
    bool empty() const { return count == 0; }
    bool full() const { return count == Capacity; }
    std::size_t size() const { return count; }

    // False, and nothing stored, when the ring is full.
    bool push(const T& item)
    {
        if (full())
            return false;
        items[(head + count) % Capacity] = item;
        ++count;
        return true;
    }

    // The oldest item; false when empty.
    bool pop(T& item)
    {
        if (empty())
            return false;
        item = items[head];
        head = (head + 1) % Capacity;
        --count;
        return true;
    }

    // Whether any waiting item passes `test`.
    template <class Test>
    bool any(Test test) const
    {
        for (std::size_t i = 0; i < count; ++i)
            if (test(items[(head + i) % Capacity]))
                return true;
        return false;
    }

private:
    std::array<T, Capacity> items{};
    std::size_t head = 0;
    std::size_t count = 0;
};

// A key-down that the keyboard repeats while the key is held adds nothing
// to an earlier press of the same key that still waits: it merges into it,
// as a repeat count would. Holding a key on a slow machine thus never builds
// a backlog that keeps acting after the key is let go.
inline bool repeatMergesInto(const Message& repeat, const Message& waiting)
{
    return repeat.kind == MessageKind::keyDown && waiting.kind == MessageKind::keyDown && repeat.code == waiting.code;
}

// Escape and close requests end the game: they go ahead of everything else
// and are never dropped for a full queue.
inline bool jumpsTheQueue(const Message& message)
{
    return message.kind == MessageKind::close || (message.kind == MessageKind::keyDown && message.code == vk::escape);
}

class MessageQueue {
public:
    // `repeated`: a key-down the keyboard made by itself while the key is held.
    void post(const Message& message, bool repeated)
    {
        const auto earlier = [&](const Message& waiting) { return repeatMergesInto(message, waiting); };
        if (repeated && (ahead.any(earlier) || waiting.any(earlier)))
            return;
        // A full ring drops an ordinary press, as a full queue would; the
        // few places ahead only fill up when the game is ending anyway.
        if (jumpsTheQueue(message))
            ahead.push(message);
        else
            waiting.push(message);
    }

    // The next message to handle; false when none waits.
    bool take(Message& message) { return ahead.pop(message) || waiting.pop(message); }

private:
    EventRing<Message, 8> ahead;
    EventRing<Message, 256> waiting;
};
