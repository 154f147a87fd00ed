#pragma once
// The layer's message queue: a fixed ring, so a running game never allocates
// for its input.

#include <array>
#include <cstddef>

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

    // For a message that must not be lost: a full ring gives up its newest
    // item for it.
    void pushOverNewest(const T& item)
    {
        if (full())
            --count;
        push(item);
    }

private:
    std::array<T, Capacity> items{};
    std::size_t head = 0;
    std::size_t count = 0;
};
