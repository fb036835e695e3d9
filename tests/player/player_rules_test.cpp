// The player's rules without a window.
#include "player_rules.h"

#include <gtest/gtest.h>

using namespace hearvex::player;

TEST(TimeText, MinutesAndSecondsWithAtLeastTwoDigits) {
    EXPECT_EQ(timeText(0), "00:00");
    EXPECT_EQ(timeText(59), "00:59");
    EXPECT_EQ(timeText(60), "01:00");
    EXPECT_EQ(timeText(75), "01:15");
    EXPECT_EQ(timeText(3599), "59:59");
    EXPECT_EQ(timeText(6000), "100:00");
    EXPECT_EQ(timeText(32767), "546:07");
    EXPECT_EQ(timeText(-5), "00:00");
}

TEST(TrackName, CutAtTheFirstNulOrWhole) {
    EXPECT_EQ(cutAtNul(QString::fromUtf8("abc\0def", 7)), "abc");
    EXPECT_EQ(cutAtNul("abc"), "abc");
    EXPECT_EQ(cutAtNul(QString::fromUtf8("\0x", 2)), "");
    char full[128];
    std::fill(std::begin(full), std::end(full), 'n');
    EXPECT_EQ(trackNameFromField(full, 128).size(), 128); // no NUL at all: shown whole
    const char chinese[128] = "第一课";
    EXPECT_EQ(trackNameFromField(chinese, 128), QStringLiteral("第一课"));
}

TEST(SeekBar, LargeChangeIsATenthRoundedHalfToEven) {
    EXPECT_EQ(seekBarLargeChange(0), 1);
    EXPECT_EQ(seekBarLargeChange(10), 1);
    EXPECT_EQ(seekBarLargeChange(11), 1);
    EXPECT_EQ(seekBarLargeChange(14), 1);
    EXPECT_EQ(seekBarLargeChange(15), 2);
    EXPECT_EQ(seekBarLargeChange(25), 2);
    EXPECT_EQ(seekBarLargeChange(35), 4);
    EXPECT_EQ(seekBarLargeChange(45), 4);
    EXPECT_EQ(seekBarLargeChange(100), 10);
    EXPECT_EQ(seekBarLargeChange(32767), 3277);
    EXPECT_EQ(seekBarLargeChange(2'000'000), 32767); // kept inside what the bar accepts
}

TEST(SeekBar, MaxHeldInsideTheSixteenBitRange) {
    EXPECT_EQ(seekBarMax(100), 100);
    EXPECT_EQ(seekBarMax(32767), 32767);
    EXPECT_EQ(seekBarMax(40000), 32767);
    EXPECT_EQ(seekBarMax(-3), 0);
}

TEST(SeekDecision, ToleranceAroundTheLastReportedPosition) {
    // A 100 s track (tolerance 10) playing at 40 s.
    EXPECT_EQ(decideSeek(45, 10, false, 40), SeekDecision::Progress);
    EXPECT_EQ(decideSeek(49, 10, false, 40), SeekDecision::Progress);
    EXPECT_EQ(decideSeek(50, 10, false, 40), SeekDecision::Seek);
    EXPECT_EQ(decideSeek(39, 10, false, 40), SeekDecision::Seek);
    EXPECT_EQ(decideSeek(40, 10, false, 40), SeekDecision::Progress);
}

TEST(SeekDecision, NothingToSeekInOrNotPlayedYet) {
    EXPECT_EQ(decideSeek(5, 1, false, 0), SeekDecision::Ignore); // no track, or 14 s or less
    EXPECT_EQ(decideSeek(0, 10, true, 0), SeekDecision::Ignore); // the untouched bar
    EXPECT_EQ(decideSeek(3, 10, true, 0), SeekDecision::Seek);   // any move before the first play
    EXPECT_EQ(decideSeek(32767, 3277, false, 32767), SeekDecision::Progress); // no wrap at the top
}

TEST(SeekDecision, ByWhereTheChangeCameFrom) {
    using S = BarChangeSource;
    using D = SeekDecision;
    struct Case {
        int v, lc;
        bool notPlayedYet;
        int lastPosSec;
        S source;
        D expected;
    };
    const Case cases[] = {
        // A 3 s clip (LargeChange 1) playing at 1 s: the source alone decides.
        {2, 1, false, 1, S::StatusRefresh, D::Progress},
        {0, 1, false, 1, S::StatusRefresh, D::Progress}, // the fall to 0 at the end
        {2, 1, false, 1, S::Other, D::Seek},             // an arrow click ahead
        {0, 1, false, 1, S::Other, D::Seek},             // the repeat's jump to A
        {1, 1, false, 1, S::Other, D::Seek},
        {2, 1, false, 1, S::Thumb, D::Seek},
        {0, 1, true, 0, S::Other, D::Ignore},  // the untouched bar before the first play
        {0, 1, false, 2, S::Reset, D::Ignore}, // nothing open any more
        // A 100 s track (LargeChange 10) at 40 s: the tolerance as before...
        {45, 10, false, 40, S::Other, D::Progress},
        {50, 10, false, 40, S::Other, D::Seek},
        {39, 10, false, 40, S::Other, D::Seek},
        {41, 10, false, 41, S::StatusRefresh, D::Progress},
        // ...but the learner letting go of the thumb always seeks.
        {45, 10, false, 40, S::Thumb, D::Seek},
        {41, 10, false, 40, S::Thumb, D::Seek},
        {0, 10, false, 40, S::Reset, D::Ignore},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decideBarChange(c.v, c.lc, c.notPlayedYet, c.lastPosSec, c.source), c.expected)
            << "v " << c.v << " lc " << c.lc << " last " << c.lastPosSec << " source "
            << int(c.source);
}
