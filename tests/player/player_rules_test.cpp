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

