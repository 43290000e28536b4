// Twips and colour values, the one conversion every window uses.
#include <gtest/gtest.h>

#include "platform/units.h"

using namespace tav::platform;

TEST(Units, TwipsRoundToTheNearestPixelHalvesAwayFromZero) {
    EXPECT_EQ(TwipsToPixels(7), 0);
    EXPECT_EQ(TwipsToPixels(8), 1);  // a truncating rule gives 0
    EXPECT_EQ(TwipsToPixels(22), 1);
    EXPECT_EQ(TwipsToPixels(23), 2);
    EXPECT_EQ(TwipsToPixels(-8), -1);
    EXPECT_EQ(TwipsRect(4500, 120, 2175, 550), QRect(300, 8, 145, 37));
    EXPECT_EQ(PixelsToTwips(37), 555);
}

TEST(Units, ColourValuesHoldRedInTheLowByte) {
    EXPECT_EQ(ColourFromValue(255), QColor(255, 0, 0));
    EXPECT_EQ(ColourFromValue(0xC0FFC0 | (qint64(1) << 32)), QColor(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(ValueFromColour(QColor(0x80, 0x80, 0xFF)), 16744576);
}
