// A pad's buttons and stick press the keys they stand for; what is held
// repeats like a held key on a clock of our own, and a repeat never queues
// behind a press of its key that still waits.

#include <gtest/gtest.h>

#include "layers/common/pad_keys.h"

TEST(PadKeysTest, ButtonsAndStickPressKeysThatRepeatWhileHeld)
{
    PadKeys keys;
    const std::pair<PadButton, int> buttons[] = {
        {PadButton::south, vk::a},        {PadButton::east, vk::s},       {PadButton::west, vk::z},
        {PadButton::north, vk::r},        {PadButton::back, vk::p},       {PadButton::start, vk::enter},
        {PadButton::leftShoulder, vk::m}, {PadButton::dpadUp, vk::up},    {PadButton::dpadDown, vk::down},
        {PadButton::dpadLeft, vk::left},  {PadButton::dpadRight, vk::right}};
    for (auto [button, code] : buttons) {
        EXPECT_EQ(keys.button(1, button, true, 0), (PadPress{code, false})) << code;
        EXPECT_EQ(keys.button(1, button, true, 0), std::nullopt) << "held, not pressed again";
        EXPECT_EQ(keys.button(1, button, false, 0), std::nullopt);
    }
    // Half the travel, all round, is the dead zone; outside it the nearest arrow, ties across.
    const struct { int x, y, code; } sticks[] = {{16000, 0, -1},       {11500, -11500, -1}, {16384, 0, vk::right},
                                                 {-32768, 0, vk::left}, {0, -32768, vk::up}, {0, 32767, vk::down},
                                                 {-20000, 19000, vk::left}, {20000, 20000, vk::right}};
    for (auto [x, y, code] : sticks)
        EXPECT_EQ(PadKeys().stick(2, x, y, 0).value_or(PadPress{-1, false}).code, code) << x << "," << y;

    // The stick held left, South pressed over it and let go, the pad pulled out.
    const auto repeated = [&](std::int64_t ms) {
        const auto press = keys.due(ms);
        return press && press->repeat ? press->code : -1;
    };
    EXPECT_EQ(keys.stick(1, -30000, 0, 1000), (PadPress{vk::left, false}));
    EXPECT_EQ(keys.stick(1, -32768, 900, 1001), std::nullopt) << "still left";
    const std::pair<std::int64_t, int> leftHeld[] = {
        {1249, -1}, {1250, vk::left}, {1282, -1}, {1283, vk::left}, {1400, vk::left}, {1400, -1}, {1433, vk::left}};
    for (auto [ms, code] : leftHeld)
        EXPECT_EQ(repeated(ms), code) << ms;
    EXPECT_EQ(keys.button(7, PadButton::south, true, 1500), (PadPress{vk::a, false}));
    EXPECT_EQ(repeated(1749), -1);
    EXPECT_EQ(repeated(1750), vk::a) << "the newest held repeats";
    keys.button(7, PadButton::south, false, 1760);
    EXPECT_EQ(repeated(1792), -1);
    EXPECT_EQ(repeated(1793), vk::left) << "the stick repeats again at the repeat rate";
    EXPECT_EQ(keys.stick(1, 0, -20000, 1800), (PadPress{vk::up, false}));
    keys.drop(1, 1810);
    EXPECT_EQ(repeated(9000), -1) << "a pad pulled out holds nothing";

}

TEST(PadKeysTest, TheButtonThatPressedOkIsUsedUpUntilLetGo)
{
    PadKeys keys;
    const auto message = [&](std::optional<PadPress> press, bool menuShown) {
        return press ? keys.message(*press, menuShown) : Message{};
    };
    // In the MENU dialog South and Start press OK, once; the rest are keys to it.
    EXPECT_EQ(message(keys.button(0, PadButton::west, true, 0), true).target, MessageTarget::menuDialog);
    keys.button(0, PadButton::west, false, 10);
    EXPECT_EQ(message(keys.button(0, PadButton::start, true, 100), true).kind, MessageKind::menuOk);
    // Held for 600 ms after the dialog went: no Enter repeats restart the match.
    for (std::int64_t ms = 110; ms <= 700; ms += 34)
        EXPECT_FALSE(keys.due(ms)) << ms;
    keys.button(0, PadButton::start, false, 710);
    EXPECT_EQ(message(keys.button(0, PadButton::start, true, 800), false).code, vk::enter)
        << "pressed again, it is Enter once more";
    keys.button(0, PadButton::start, false, 810);

    // South held on OK while the stick is held: the stick goes on only when South is let go.
    keys.stick(1, -30000, 0, 1000);
    EXPECT_EQ(message(keys.button(1, PadButton::south, true, 1100), true).kind, MessageKind::menuOk);
    EXPECT_FALSE(keys.due(1500)) << "no passes from the held South";
    keys.button(1, PadButton::south, false, 1600);
    EXPECT_EQ(keys.due(1633), (PadPress{vk::left, true}));
    EXPECT_EQ(message(PadPress{vk::a, false}, false).code, vk::a) << "outside the dialog South is A";
}
