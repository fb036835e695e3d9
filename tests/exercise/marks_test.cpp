// The compare's marks read without colour vision: contrasts by the WCAG formula.
#include "marks.h"

#include <gtest/gtest.h>

using namespace hearvex::exercise;

TEST(Contrast, FollowsTheWcagFormula) {
    EXPECT_DOUBLE_EQ(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio({255, 255, 255}, {0, 0, 0}), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio({102, 126, 162}, {102, 126, 162}), 1.0);
    EXPECT_NEAR(relativeLuminance({255, 0, 0}), 0.2126, 1e-9);
    // The red the marks used to be vanished into the box's blue-grey.
    EXPECT_LT(contrastRatio({255, 60, 60}, kBoxBackground), 1.2);
}

TEST(Contrast, TheWrongWordMarkStandsOutAndStaysReadable) {
    const WordMark& mark = kWrongWordMark;
    EXPECT_GE(contrastRatio(mark.background, kBoxBackground), 3.0);
    EXPECT_GE(contrastRatio(mark.text, mark.background), 4.5);
    EXPECT_GE(contrastRatio(mark.underline, mark.background), 4.5);
}
