// Where the dot font puts its dots in the banner grid. The scenario digests
// count the black cells of every frame; these pin down the places.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "banner/banner_grid.h"
#include "banner/dot_font.h"
#include "match/banner_text.h"
#include "state/game_state.h"

namespace {

struct Plotted {
    GameState state;
    explicit Plotted(const std::string& text)
    {
        clearBanner(state);
        state.bannerText = text;
        plotBannerText(state);
    }
    bool black(int row, int column) const { return state.bannerRed[row * bannerColumns + column] == bannerBlack; }
};

}  // namespace

TEST(DotFontTest, GlyphsLandInTheirColumnsAndRows)
{
    Plotted a("a");
    const char* expected[bannerRows] = {"....", "....", "..#.", ".#.#", ".###",
                                        ".#.#", ".#.#", "....", "....", "...."};
    for (int row = 0; row < bannerRows; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(a.black(row, column), expected[row][column] == '#') << row << "," << column;

    // Punctuation and spaces advance four columns like letters; characters
    // outside the font plot nothing but take their place.
    Plotted p(" ,.1A?b");
    EXPECT_TRUE(p.black(5, 5) && p.black(6, 5)) << "comma: rows 5 and 6 of its column";
    EXPECT_TRUE(p.black(6, 9)) << "full stop: row 6";
    EXPECT_TRUE(p.black(2, 14)) << "'1' starts at column 13";
    EXPECT_TRUE(p.black(2, 25)) << "b at column 25 after two unknown characters";
    EXPECT_EQ(countBlackCells(p.state), 2 + 1 + 8 + 10);
}

TEST(DotFontTest, LongTextsWrapOntoLowerRowsAndStopAtTheLastCell)
{
    Plotted line(std::string(80, ' ') + "8");
    EXPECT_TRUE(line.black(3, 1)) << "the 81st character starts a line one row lower";
    Plotted full(std::string(319, ' ') + "8");
    EXPECT_TRUE(full.black(9, 319));
    // Nothing is written past the planes.
    Plotted over(std::string(319, ' ') + "8" + std::string(500, '8'));
    EXPECT_EQ(countBlackCells(over.state), 11);
    EXPECT_EQ(over.state.plotIndex, 320);

    // A short text leaves the outer rows and column 0 grey, and a clear
    // turns every cell grey again.
    Plotted eights(std::string(80, '8'));
    for (int column = 0; column < bannerColumns; ++column)
        for (int row : {0, 1, 7, 8, 9})
            EXPECT_FALSE(eights.black(row, column));
    for (int row = 0; row < bannerRows; ++row)
        EXPECT_FALSE(eights.black(row, 0));
    clearBanner(eights.state);
    for (int i = 0; i < bannerCells; ++i)
        ASSERT_TRUE(eights.state.bannerRed[i] == 0.5f && eights.state.bannerGreen[i] == 0.5f &&
                    eights.state.bannerBlue[i] == 0.5f);
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
