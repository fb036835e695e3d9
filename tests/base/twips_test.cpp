// The rounding and the design geometry, without a window.
#include "twips.h"

#include <gtest/gtest.h>

using namespace hearvex::base;

TEST(Twips, RoundsHalvesToEven) {
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(2.5001), 3);
}

TEST(Twips, ConvertsDesignRectangles) {
    EXPECT_EQ(twipsToPixels(15), 1);
    EXPECT_EQ(twipsToPixels(22.5), 2); // 1.5 px
    EXPECT_EQ(twipsToPixels(37.5), 2); // 2.5 px
    EXPECT_EQ(twipsRect(5640, 0, 3930, 5955), QRect(376, 0, 262, 397));
    EXPECT_EQ(twipsRect(2145, 1500, 240, 150), QRect(143, 100, 16, 10));
}
