#include "app/dialog_units.h"

#include <gtest/gtest.h>

namespace {

using tavo::app::BaseUnitsOfFont;
using tavo::app::DialogRectToPixels;
using tavo::app::MulDiv;
using tavo::app::PixelRect;

TEST(DialogUnits, BaseUnitsAreTheRoundedAverageLetterWidthAndTheFontHeight) {
    // 52 letters 312 pixels wide: 6 on average. 330 gives 6.35 and 338 gives 6.5, rounded up.
    EXPECT_EQ(BaseUnitsOfFont(312, 13).x, 6);
    EXPECT_EQ(BaseUnitsOfFont(330, 13).x, 6);
    EXPECT_EQ(BaseUnitsOfFont(338, 13).x, 7);
    EXPECT_EQ(BaseUnitsOfFont(312, 15).y, 15);
}

TEST(DialogUnits, RectangleIsAQuarterCharacterAcrossAndAnEighthDownRoundedHalfUp) {
    const tavo::app::DialogBaseUnits units{6, 13};
    // The progress bar of the main dialog: 212 × 13 ÷ 8 = 344.5 and 9 × 13 ÷ 8 = 14.6 round up.
    EXPECT_EQ(DialogRectToPixels(units, 4, 212, 96, 9), (PixelRect{6, 345, 144, 15}));
    EXPECT_EQ(DialogRectToPixels(units, 343, 230, 0, 0), (PixelRect{515, 374, 0, 0}));
}

TEST(DialogUnits, MulDivRoundsHalfAwayFromZeroWithoutOverflow) {
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(7, 1, -2), -4);
    EXPECT_EQ(MulDiv(2'000'000'000, 3, 4), 1'500'000'000);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

} // namespace
