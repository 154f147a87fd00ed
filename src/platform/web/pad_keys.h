#pragma once
// Gamepads as keys: what a pad holds becomes key-downs that repeat like a
// held key's, after a delay and then at the keyboard's rate.

#include <array>
#include <cstdint>

// Buttons of the standard gamepad layout and the key each stands for; the
// left stick pushed past half way counts as the D-pad.
struct PadKey {
    int button;  // index in the standard layout
    int code;    // virtual-key code
};
constexpr std::array<PadKey, 11> padKeys{{
    {12, 38}, {13, 40}, {14, 37}, {15, 39},  // D-pad: the arrows (up, down, left, right first)
    {0, 65}, {1, 83}, {2, 90}, {3, 82},      // South A, East S, West Z, North R
    {9, 13}, {8, 80}, {4, 77},               // Start Enter, Back P, left shoulder M
}};

class PadRepeat {
public:
    static constexpr double delayMs = 250.0, intervalMs = 1000.0 / 30.0;  // as on the desktop

    PadRepeat() { due.fill(-1.0); }

    // `held` has bit i set while padKeys[i] is held. Calls press(code) for
    // each key that went down since the last call or is due to repeat.
    template <class Press>
    void update(std::uint32_t held, double nowMs, Press&& press)
    {
        for (std::size_t i = 0; i < padKeys.size(); ++i) {
            if ((held >> i & 1u) == 0) {
                due[i] = -1.0;
            } else if (due[i] < 0.0) {
                press(padKeys[i].code);
                due[i] = nowMs + delayMs;
            } else if (nowMs >= due[i]) {
                press(padKeys[i].code);
                due[i] = due[i] + intervalMs > nowMs ? due[i] + intervalMs : nowMs + intervalMs;
            }
        }
    }

private:
    std::array<double, padKeys.size()> due;  // when a held key repeats; -1 while it is up
};
