// Reading input scripts: what a good line is, and a clear message naming the
// line for everything else.

#include <gtest/gtest.h>

#include "replay/script.h"

TEST(ScriptTest, ReadsEveryEventKind)
{
    const Script s = parseScript(
        "# a comment\n"
        "\n"
        "   \t\n"
        "  # indented comment\n"
        "1 enter\n"
        "1\tescape\r\n"
        "2  left \t\r\n"
        "2 up\n3 right\n3 down\n4 a\n4 m\n4 p\n4 r\n4 s\n4 z\n"
        "5 key:0\n5 key:255\n5 key:007\n"
        "6 close\n6 menu-ok\n7 menu-close\n"
        "2147483647 enter",
        "s");
    ASSERT_EQ(s.error, "");
    ASSERT_EQ(s.events.size(), 19u);
    const int codes[] = {13, 27, 37, 38, 39, 40, 65, 77, 80, 82, 83, 90, 0, 255, 7};
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(s.events[i].kind, MessageKind::keyDown);
        EXPECT_EQ(s.events[i].code, codes[i]);
    }
    EXPECT_EQ(s.events[15].kind, MessageKind::close);
    EXPECT_EQ(s.events[16].kind, MessageKind::menuOk);
    EXPECT_EQ(s.events[17].kind, MessageKind::menuClose);
    EXPECT_EQ(s.events[18].turn, 2147483647);
}

TEST(ScriptTest, BadLinesAreNamedWithTheirNumber)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"1 enter\nx enter\n", "s:2: turn 'x' is not a number from 1 to 2147483647"},
        {"0 enter\n", "s:1: turn '0' is not a number from 1 to 2147483647"},
        {"-1 enter\n", "s:1: turn '-1' is not a number from 1 to 2147483647"},
        {"+1 enter\n", "s:1: turn '+1' is not a number from 1 to 2147483647"},
        {"2147483648 enter\n", "s:1: turn '2147483648' is not a number from 1 to 2147483647"},
        {"99999999999999999999999 enter\n",
         "s:1: turn '99999999999999999999999' is not a number from 1 to 2147483647"},
        {"5 enter\n4 enter\n", "s:2: turn 4 comes after turn 5 (turns may not go backwards)"},
        {"5\n", "s:1: missing event after turn 5"},
        {"5 jump\n", "s:1: unknown event 'jump'"},
        {"5 Enter\n", "s:1: unknown event 'Enter'"},
        {"5 key:256\n", "s:1: unknown event 'key:256'"},
        {"5 key:\n", "s:1: unknown event 'key:'"},
        {"5 key:-1\n", "s:1: unknown event 'key:-1'"},
        {"5 enter now\n", "s:1: unexpected 'now' after the event"},
        {"5 enter # late comment\n", "s:1: unexpected '# late comment' after the event"},
        {"5 ent\x01r\n", "s:1: unknown event 'ent\\x01r'"},
        {"1 enter\n\n# c\n5 enter\rx\n", "s:4: unknown event 'enter\\x0dx'"},
    };
    for (const Case& c : cases) {
        const Script s = parseScript(c.text, "s");
        EXPECT_EQ(s.error, c.error) << c.text;
        EXPECT_TRUE(s.events.empty());
    }
}

TEST(ScriptTest, LongLinesAreRefusedAsSoonAsRead)
{
    const std::string line = "1 enter" + std::string(4089, ' ');
    EXPECT_EQ(parseScript(line + "\n2 a\n", "s").events.size(), 2u) << "4,096 bytes are fine";
    EXPECT_EQ(parseScript("1 a\n" + line + " \n", "s").error, "s:2: the line is longer than 4096 bytes");
    // An endless line without a line end.
    EXPECT_EQ(loadScript("/dev/zero").error, "/dev/zero:1: the line is longer than 4096 bytes");
}

TEST(ScriptTest, EventsFormatBackToTheirScriptLines)
{
    const char* text = "1 enter\n2 key:112\n3 close\n4 menu-ok\n5 menu-close\n6 z\n7 key:0\n";
    const Script s = parseScript(text, "s");
    std::string again;
    for (const ScriptEvent& e : s.events)
        again += formatScriptEvent(e) + "\n";
    EXPECT_EQ(again, text);
}

TEST(ScriptTest, UnreadableFilesAreReported)
{
    EXPECT_NE(loadScript("/nonexistent/script").error.find("cannot read script /nonexistent/script"),
              std::string::npos);
    EXPECT_NE(loadScript("/").error.find("cannot read script /"), std::string::npos);
}
