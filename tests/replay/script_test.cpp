// Reading input scripts: what a good line is, and a clear message naming the
// line for everything else.

#include <gtest/gtest.h>

#include "replay/script.h"

TEST(ScriptTest, ReadsEveryEventKindAndWritesItBack)
{
    // Comments, blank lines and blanks or a carriage return round the words are skipped.
    const Script s = parseScript("# a comment\n\n   \t\n  # indented comment\n1 enter\n1\tescape\r\n2  left \t\r\n"
                                 "2 up\n3 right\n3 down\n4 a\n4 m\n4 p\n4 r\n4 s\n4 z\n5 key:0\n5 key:255\n5 key:007\n"
                                 "6 close\n6 menu-ok\n7 menu-close\n2147483647 enter",
                                 "s");
    ASSERT_EQ(s.error, "");
    const int codes[] = {13, 27, 37, 38, 39, 40, 65, 77, 80, 82, 83, 90, 0, 255, 7, 0, 0, 0, 13};
    ASSERT_EQ(s.events.size(), std::size(codes));
    std::string again;
    for (std::size_t i = 0; i < s.events.size(); ++i) {
        EXPECT_EQ(s.events[i].code, codes[i]) << i;
        again += formatScriptEvent(s.events[i]) + "\n";
    }
    EXPECT_EQ(again, "1 enter\n1 escape\n2 left\n2 up\n3 right\n3 down\n4 a\n4 m\n4 p\n4 r\n4 s\n4 z\n5 key:0\n"
                     "5 key:255\n5 key:7\n6 close\n6 menu-ok\n7 menu-close\n2147483647 enter\n");
}

// One line for each way a line is refused.
TEST(ScriptTest, BadLinesAreNamedWithTheirNumber)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1 enter\nx enter\n", "s:2: turn 'x' is not a number from 1 to 2147483647"},
        {"0 enter\n", "s:1: turn '0' is not a number from 1 to 2147483647"},
        {"2147483648 enter\n", "s:1: turn '2147483648' is not a number from 1 to 2147483647"},
        {"5 enter\n4 enter\n", "s:2: turn 4 comes after turn 5 (turns may not go backwards)"},
        {"5\n", "s:1: missing event after turn 5"},
        {"5 jump\n", "s:1: unknown event 'jump'"},
        {"5 key:256\n", "s:1: unknown event 'key:256'"},
        {"5 enter # late comment\n", "s:1: unexpected '# late comment' after the event"},
        // Skipped lines count, and what cannot be shown is written as its byte.
        {"1 enter\n\n# c\n5 enter\rx\n", "s:4: unknown event 'enter\\x0dx'"},
    };
    for (const auto& [text, error] : cases) {
        const Script s = parseScript(text, "s");
        EXPECT_EQ(s.error, error) << text;
        EXPECT_TRUE(s.events.empty());
    }
}

TEST(ScriptTest, LongLinesAndUnreadableFilesAreRefused)
{
    const std::string line = "1 enter" + std::string(4089, ' ');
    EXPECT_EQ(parseScript(line + "\n2 a\n", "s").events.size(), 2u) << "4,096 bytes are fine";
    EXPECT_EQ(parseScript("1 a\n" + line + " \n", "s").error, "s:2: the line is longer than 4096 bytes");
    // An endless line without a line end is refused as soon as it is read.
    EXPECT_EQ(loadScript("/dev/zero").error, "/dev/zero:1: the line is longer than 4096 bytes");
    // A file that does not open, and a folder that opens but cannot be read.
    for (const std::string path : {"/nonexistent/script", "/"})
        EXPECT_EQ(loadScript(path).error.rfind("cannot read script " + path + ": ", 0), 0u) << loadScript(path).error;
}

// A recording's end line names the frames its session's trace holds; other
// comments, and end lines that do not read as one, say nothing. The line a
// session writes reads back as the frames it was given.
TEST(ScriptTest, TheEndLineOfARecordingIsRead)
{
    for (const std::int64_t frames : {std::int64_t{0}, std::int64_t{47}, maxScriptTurn}) {
        char line[endLineCapacity];
        const std::string text = "1 enter\n" + std::string(line, formatEndLine(line, frames));
        EXPECT_EQ(parseScript(text, "s").endTurn, frames) << text;
    }
    EXPECT_EQ(parseScript("# A session\n3 enter\n# ended in turn 46: replay with --frames 46\n", "s").endTurn, 46);
    EXPECT_EQ(parseScript("3 enter\n# ended in turn 2147483647: replay with --frames 2147483647", "s").endTurn,
              2147483647);
    for (const char* text : {"3 enter\n", "# ended in turn x: replay\n", "# ended in turn 9\n",
                             "# ended in turn 2147483648: replay\n", "#ended in turn 9: replay\n"})
        EXPECT_EQ(parseScript(text, "s").endTurn, 0) << text;
}
