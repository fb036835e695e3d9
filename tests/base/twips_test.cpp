// The rounding and the design geometry, without a window.
#include "twips.h"

#include <cfenv>
#include <gtest/gtest.h>
#include <utility>

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

// Whatever rounding mode a library left behind, and near the halves.
TEST(Twips, RoundsTheSameInEveryRoundingMode) {
    const std::pair<double, int> cases[] = {
        {0.5, 0},     {1.5, 2}, {-2.5, -2}, {-0.49999999999999994, 0}, {0.49999999999999994, 0},
        {-1e-300, 0}, {7.0, 7}, {-7.5, -8}, {32767.5, 32768},          {-3.2, -3}};
    const int saved = std::fegetround();
    for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(mode);
        for (const auto& [value, expected] : cases)
            EXPECT_EQ(roundHalfEven(value), expected) << value << " in mode " << mode;
    }
    std::fesetround(saved);
}

TEST(Twips, ConvertsDesignRectangles) {
    EXPECT_EQ(twipsToPixels(15), 1);
    EXPECT_EQ(twipsToPixels(22.5), 2); // 1.5 px
    EXPECT_EQ(twipsToPixels(37.5), 2); // 2.5 px
    EXPECT_EQ(twipsRect(5640, 0, 3930, 5955), QRect(376, 0, 262, 397));
    EXPECT_EQ(twipsRect(2145, 1500, 240, 150), QRect(143, 100, 16, 10));
}
