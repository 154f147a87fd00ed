// The dot font and the plotting of texts into the banner grid.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <tuple>

#include "state/game_state.h"
#include "banner/banner_grid.h"
#include "banner/dot_font.h"
#include "match/banner_text.h"
#include "support/run_script.h"

namespace {

// Set dots per character, counted independently of the glyph patterns.
const std::map<char, int> dotsOf = {
    {'a', 10}, {'b', 10}, {'c', 7},  {'d', 10}, {'e', 11}, {'f', 9},  {'g', 10}, {'h', 11},
    {'i', 9},  {'j', 6},  {'k', 9},  {'l', 7},  {'m', 11}, {'n', 13}, {'o', 8},  {'p', 8},
    {'q', 9},  {'r', 10}, {'s', 7},  {'t', 7},  {'u', 11}, {'v', 9},  {'w', 11}, {'x', 9},
    {'y', 7},  {'z', 9},  {'0', 12}, {'1', 8},  {'2', 8},  {'3', 7},  {'4', 8},  {'5', 11},
    {'6', 12}, {'7', 7},  {'8', 11}, {'9', 12}, {',', 2},  {'.', 1},  {' ', 0},
};

int dotsIn(const std::string& text)
{
    int dots = 0;
    for (char c : text)
        dots += dotsOf.at(c);
    return dots;
}

struct Plotted {
    GameState state;
    explicit Plotted(const std::string& text)
    {
        clearBanner(state);
        state.bannerText = text;
        plotBannerText(state);
    }
    bool black(int row, int column) const
    {
        return state.bannerRed[row * bannerColumns + column] == bannerBlack;
    }
};

}  // namespace

TEST(DotFontTest, GlyphPatternsMatchTheirDotCountsAndCodes)
{
    std::map<char, int> seen;
    for (const Glyph& g : bannerFont) {
        int dots = 0;
        for (const char* row : g.rows)
            for (int h = 0; h < glyphColumns; ++h)
                dots += row[h] == '#';
        EXPECT_EQ(dots, dotsOf.at(g.character)) << g.character;
        EXPECT_EQ(glyphCodeFor(static_cast<unsigned char>(g.character)), g.code);
        seen[g.character] = g.code;
    }
    EXPECT_EQ(seen.size(), 39u);
    EXPECT_EQ(seen['a'], 1);
    EXPECT_EQ(seen['z'], 26);
    EXPECT_EQ(seen[','], 27);
    EXPECT_EQ(seen['.'], 28);
    EXPECT_EQ(seen[' '], 29);
    EXPECT_EQ(seen['0'], 30);
    EXPECT_EQ(seen['9'], 39);
    EXPECT_EQ(glyphCodeFor('A'), 0) << "upper case is not in the font";
    EXPECT_EQ(glyphCodeFor('-'), 0);
}

TEST(DotFontTest, TitleOnFrameOneShowsExactlyItsDots)
{
    const auto run = runScript("", 1);
    EXPECT_EQ(run.trace.banner(1), titleText);
    EXPECT_EQ(run.trace.integer(1, "bannerBlack"), dotsIn(titleText));
}

TEST(DotFontTest, EveryGameTextPlotsItsDotCount)
{
    for (const std::string& text : {std::string(pauseText), std::string("         goals  2   attempts  13"),
                                   std::string("         victory... goals  4"),
                                   std::string("         defeat... attempts  25")}) {
        Plotted p(text);
        EXPECT_EQ(countBlackCells(p.state), dotsIn(text)) << text;
    }
}

TEST(DotFontTest, LetterAIsPlacedAtColumnsOneToThreeOfRowsTwoToSix)
{
    Plotted p("a");
    const char* expected[bannerRows] = {"....", "....", "..#.", ".#.#", ".###",
                                        ".#.#", ".#.#", "....", "....", "...."};
    for (int row = 0; row < bannerRows; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(p.black(row, column), expected[row][column] == '#') << row << "," << column;
    EXPECT_EQ(countBlackCells(p.state), 10);
}

TEST(DotFontTest, PunctuationAndSpacesAdvanceFourColumns)
{
    Plotted p(" ,.1");
    EXPECT_TRUE(p.black(5, 5) && p.black(6, 5)) << "comma: rows 5 and 6 of its column";
    EXPECT_TRUE(p.black(6, 9)) << "full stop: row 6";
    EXPECT_EQ(countBlackCells(p.state), 2 + 1 + 8);
    EXPECT_TRUE(p.black(2, 14)) << "'1' starts at column 13";

    Plotted nine("         t");
    EXPECT_TRUE(nine.black(2, 37) && nine.black(2, 38) && nine.black(2, 39));
}

TEST(DotFontTest, CharactersOutsideTheFontPlotNothingButTakeTheirPlace)
{
    Plotted p("aAb?\x01");
    EXPECT_EQ(countBlackCells(p.state), 10 + 10);
    EXPECT_TRUE(p.black(2, 9)) << "b at column 9 after the unknown A";
}

TEST(DotFontTest, LongTextsWrapOntoLowerRowsAndStopAtTheLastCell)
{
    Plotted line(std::string(80, ' ') + "8");
    EXPECT_TRUE(line.black(3, 1)) << "the 81st character starts a line one row lower";
    EXPECT_TRUE(line.black(7, 3));

    // 320 characters end exactly on the last cell; more are not plotted, so
    // nothing is written past the planes.
    Plotted full(std::string(319, ' ') + "8");
    EXPECT_TRUE(full.black(9, 319));
    Plotted over(std::string(319, ' ') + "8" + std::string(500, '8'));
    EXPECT_EQ(countBlackCells(over.state), 11);
    EXPECT_EQ(over.state.plotIndex, 320);
}

TEST(DotFontTest, ShortTextsLeaveTheOuterRowsAndColumnZeroGrey)
{
    Plotted p(std::string(80, '8'));
    for (int column = 0; column < bannerColumns; ++column)
        for (int row : {0, 1, 7, 8, 9})
            EXPECT_FALSE(p.black(row, column));
    for (int row = 0; row < bannerRows; ++row)
        EXPECT_FALSE(p.black(row, 0));
}

TEST(DotFontTest, ShowingATextLeavesWhatAClearAndAWholePlotLeave)
{
    // A fresh record's planes are black; a glyph written in between must
    // not be taken for the text last shown.
    GameState shown, plotted;
    for (const char* text : {"", "a", "a", pauseText, "aAb?", "aAb?", "b", "b", ""}) {
        for (GameState* s : {&shown, &plotted}) {
            if (std::strcmp(text, "b") == 0)
                plotGlyph(*s, 1);
            s->bannerText = text;
        }
        showBannerText(shown);
        clearBanner(plotted);
        plotBannerText(plotted);
        const GameState& p = plotted;
        EXPECT_TRUE(std::memcmp(shown.bannerRed, p.bannerRed, sizeof p.bannerRed) == 0 &&
                    std::memcmp(shown.bannerGreen, p.bannerGreen, sizeof p.bannerGreen) == 0 &&
                    std::memcmp(shown.bannerBlue, p.bannerBlue, sizeof p.bannerBlue) == 0)
            << text;
        EXPECT_EQ(shown.bannerBlackCells, countBlackCells(p)) << text;
        EXPECT_EQ(std::make_tuple(shown.plotIndex, shown.plotColumn, shown.plotRow, shown.glyphCode, shown.plotChar),
                  std::make_tuple(p.plotIndex, p.plotColumn, p.plotRow, p.glyphCode, p.plotChar))
            << text;
    }
}

TEST(BannerGridTest, ClearTurnsEveryCellGreyAgain)
{
    Plotted p("victory");
    clearBanner(p.state);
    EXPECT_EQ(countBlackCells(p.state), 0);
    for (int i = 0; i < bannerCells; ++i) {
        ASSERT_EQ(p.state.bannerRed[i], 0.5f);
        ASSERT_EQ(p.state.bannerGreen[i], 0.5f);
        ASSERT_EQ(p.state.bannerBlue[i], 0.5f);
    }
}
