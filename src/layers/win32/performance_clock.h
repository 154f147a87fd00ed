#pragma once
// Performance-counter ticks to nanoseconds. Multiplying the tick count by 1e9
// first would leave 64 bits after a quarter of an hour of uptime at the usual
// 10 MHz, so whole seconds and the remainder are scaled apart.

#include <cstdint>

constexpr std::int64_t ticksToNanoseconds(std::int64_t ticks, std::int64_t frequency)
{
    const std::int64_t seconds = ticks / frequency;
    const std::int64_t rest = ticks % frequency;
    return seconds * 1'000'000'000 + rest * 1'000'000'000 / frequency;
}
