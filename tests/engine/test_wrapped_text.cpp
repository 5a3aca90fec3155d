#include "engine/wrapped_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

// Every character is `charWidth` wide; the font may claim another average width, so a test can
// make the guessed number of characters too wide for the box.
class FixedWidthMetrics : public tavo::TextMetrics {
  public:
    FixedWidthMetrics(int charWidth, int averageWidth, int extentHeight, int fontHeight)
        : charWidth_(charWidth), averageWidth_(averageWidth), extentHeight_(extentHeight),
          fontHeight_(fontHeight) {}
    Extent TextExtent(std::string_view text) const override {
        return {static_cast<int>(text.size()) * charWidth_, extentHeight_};
    }
    int AverageCharWidth() const override { return averageWidth_; }
    int FontHeight() const override { return fontHeight_; }

  private:
    int charWidth_, averageWidth_, extentHeight_, fontHeight_;
};

// Line text only, in drawing order.
std::vector<std::string> Lines(const tavo::TextMetrics& metrics, std::string_view text, int width,
                               int height) {
    std::vector<std::string> lines;
    tavo::DrawWrappedText(
        metrics, [&](int, int, std::string_view line) { lines.emplace_back(line); }, text, 0, 0, width,
        height, 0);
    return lines;
}

// Lines as "x,y text".
std::vector<std::string> Placed(const tavo::TextMetrics& metrics, std::string_view text, int x, int y,
                                int width, int height, int extra) {
    std::vector<std::string> lines;
    tavo::DrawWrappedText(
        metrics,
        [&](int lx, int ly, std::string_view line) {
            lines.push_back(std::to_string(lx) + "," + std::to_string(ly) + " " + std::string(line));
        },
        text, x, y, width, height, extra);
    return lines;
}

// 9 pixels a character in a 100-pixel box: 100 / (9 + 1) - 1 = 9, made even: 8 characters a line.
const FixedWidthMetrics kNine(9, 9, 10, 12);

struct BreakCase {
    const char* text;
    std::vector<std::string> lines;
};

TEST(WrappedText, BreaksLinesAtSpacesNearTheGuessAndCutsLongWordsHard) {
    const BreakCase cases[] = {
        {"short", {"short"}},
        {"abcdefgh", {"abcdefgh"}},                     // exactly one guess long
        {"abcdefgh ijk", {"abcdefgh", " ijk"}},         // space at the break: the rest keeps it
        {"abcdefg hijklmn", {"abcdefg ", "hijklmn"}},   // space just before the break
        {"ab cdefghij", {"ab ", "cdefghij"}},           // break inside a word: back to the last space
        {"abcdefghijklmnop", {"abcdefgh", "ijklmnop"}}, // no space: cut at the even guess, not at 9
        {"", {}},
    };
    for (const BreakCase& c : cases)
        EXPECT_EQ(Lines(kNine, c.text, 100, 0), c.lines) << "text: " << c.text;
}

TEST(WrappedText, PieceWiderThanTheBoxEndsAfterItsLastSpace) {
    // The font claims 9 pixels a character but draws 13: eight characters (104) overflow 100.
    const FixedWidthMetrics wide(13, 9, 10, 12);
    EXPECT_THAT(Lines(wide, "abc defg hij", 100, 0), ElementsAre("abc ", "defg ", "hij"));
    // Without a space the piece is drawn cut at the guess even though it overflows.
    EXPECT_THAT(Lines(wide, "abcdefghij", 100, 0), ElementsAre("abcdefgh", "ij"));
}

TEST(WrappedText, DrawsOnlyTheLinesTheBoxHolds) {
    const std::string fiveLines = "aaaa bbbb cccc dddd eeee";
    // 20 pixels high, lines 10 high (the text's extent height, not the font's 12): two lines.
    EXPECT_THAT(Lines(kNine, fiveLines, 100, 20), ElementsAre("aaaa ", "bbbb "));
    // Too short for one line: nothing.
    EXPECT_TRUE(Lines(kNine, fiveLines, 100, 9).empty());
    // No height: three lines.
    EXPECT_EQ(Lines(kNine, fiveLines, 100, 0).size(), 3u);
}

TEST(WrappedText, LinesStepDownByFontHeightPlusExtraSpacing) {
    // Extent height 10 sets the line count; the step is the font height 12 plus 3.
    EXPECT_THAT(Placed(kNine, "abcdefghijklmnopqrstuvwx", 5, 7, 100, 0, 3),
                ElementsAre("5,7 abcdefgh", "5,22 ijklmnop", "5,37 qrstuvwx"));
}

TEST(WrappedText, BoxNarrowerThanTwoCharactersDrawsNothing) {
    EXPECT_TRUE(Lines(kNine, "abcdef", 20, 0).empty()); // 20 / 10 - 1 = 1, made even: 0
    EXPECT_THAT(Lines(kNine, "abcdef", 30, 0), ElementsAre("ab", "cd", "ef"));
}

} // namespace
