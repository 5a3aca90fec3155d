#include "app/colour_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tavo::app::Colour;
using tavo::app::ColourReader;

constexpr Colour Rgb(unsigned red, unsigned green, unsigned blue) {
    return red | green << 8 | blue << 16;
}

struct ColourCase {
    const char* text;
    Colour colour;
};

TEST(ColourText, ReadsRedGreenBlueIntoTheWindowsLayout) {
    const std::vector<ColourCase> cases = {
        {"255,0,0", 255},
        {"0,255,0", Rgb(0, 255, 0)},
        {"1,2,3", Rgb(1, 2, 3)},
        {" 12, 34 ,56", Rgb(12, 34, 56)}, // blanks before a number are skipped
        {"300,0,0", 44},                  // cut to the low 8 bits
        {"256,511,-1", Rgb(0, 255, 255)}, // a sign is read, then cut like any value
        {"red,7x,0x20", Rgb(0, 7, 0)},    // digits up to the first non-digit; none gives 0
        {"4294967297,0,0", 1},            // too long for 32 bits: wraps, then cut
        {"10,20,30,40", Rgb(10, 20, 30)}, // a fourth number is not read
    };
    for (const ColourCase& c : cases) {
        ColourReader reader;
        EXPECT_EQ(reader.Read(c.text), c.colour) << c.text;
    }
}

TEST(ColourText, EmptyComponentKeepsItsValueAndStopsTheRestOfTheText) {
    ColourReader reader;
    ASSERT_EQ(reader.Read("1,2,3"), Rgb(1, 2, 3));
    // "10,,30": red is read, the empty green piece keeps green and is not cut off, so blue sees
    // it too and keeps its value: 30 is never read.
    EXPECT_EQ(reader.Read("10,,30"), Rgb(10, 2, 3));
    EXPECT_EQ(reader.Read(",99,99"), Rgb(10, 2, 3));
    EXPECT_EQ(reader.Read(""), Rgb(10, 2, 3));
    // A number without a comma ends the text: the following components keep theirs.
    EXPECT_EQ(reader.Read("77"), Rgb(77, 2, 3));
    EXPECT_EQ(reader.Read("5,6"), Rgb(5, 6, 3));
}

TEST(ColourText, ComponentsStartAtZero) {
    ColourReader reader;
    EXPECT_EQ(reader.Read(""), 0u);
    EXPECT_EQ(reader.Read(",,"), 0u);
    EXPECT_EQ(reader.Read("9"), 9u);
}

} // namespace
