// The repeat points' rules, without a window.
#include "repeat_points.h"

#include <gtest/gtest.h>

using namespace hearvex::repeat;

TEST(RepeatPoints, EmptyPointsReadAsZero) {
    EXPECT_EQ(pointValue(std::nullopt), 0);
    EXPECT_EQ(pointValue(int16_t(37)), 37);
}

TEST(RepeatPoints, LabelsNameThePointInPlainDecimal) {
    EXPECT_EQ(startCaption(37), QStringLiteral("复读起始位置：37"));
    EXPECT_EQ(endCaption(0), QStringLiteral("复读结束位置：0"));
    EXPECT_EQ(endCaption(32767), QStringLiteral("复读结束位置：32767"));
}

TEST(RepeatPoints, LastSecondsEndHereAndStartNoEarlierThanTheTrack) {
    const RepeatSpan at37 = lastSecondsSpan(37, 10);
    EXPECT_EQ(at37.start, 27);
    EXPECT_EQ(at37.end, 37);
    const RepeatSpan at12 = lastSecondsSpan(12, 20);
    EXPECT_EQ(at12.start, 0);
    EXPECT_EQ(at12.end, 12);
    EXPECT_EQ(lastSecondsSpan(20, 20).start, 0);
    EXPECT_EQ(lastSecondsSpan(0, 10).start, 0);
    EXPECT_EQ(lastSecondsSpan(32767, 20).start, 32747);
}

TEST(RepeatPoints, OnlyAPositionStrictlyBeyondBJumpsAndOnlyWhileOn) {
    EXPECT_FALSE(mustJumpBack(true, 40, int16_t(40)));
    EXPECT_TRUE(mustJumpBack(true, 41, int16_t(40)));
    EXPECT_FALSE(mustJumpBack(false, 41, int16_t(40)));
    // B never set reads as 0: the first second loops.
    EXPECT_FALSE(mustJumpBack(true, 0, std::nullopt));
    EXPECT_TRUE(mustJumpBack(true, 1, std::nullopt));
    // A is never looked at: a position before A plays on until it passes B.
    EXPECT_FALSE(mustJumpBack(true, 3, int16_t(40)));
}

TEST(RepeatPoints, TheLoopRunsFromTheEarlierPointToTheLater) {
    struct Case {
        RepeatPoint a, b;
        int16_t start, end;
    };
    const Case cases[] = {
        {int16_t(10), int16_t(20), 10, 20},
        {int16_t(45), int16_t(40), 40, 45}, // B set before A
        {int16_t(30), int16_t(30), 30, 30},
        {std::nullopt, int16_t(20), 0, 20}, // B alone: from the start
        {std::nullopt, std::nullopt, 0, 0},
        {int16_t(45), std::nullopt, 45, 0}, // A alone: B reads as 0, as it always did
    };
    for (const Case& c : cases) {
        const RepeatSpan span = loopSpan(c.a, c.b);
        EXPECT_EQ(span.start, c.start) << pointValue(c.a) << " " << pointValue(c.b);
        EXPECT_EQ(span.end, c.end) << pointValue(c.a) << " " << pointValue(c.b);
    }
}
