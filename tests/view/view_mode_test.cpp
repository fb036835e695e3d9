// The view's mode steps, without a window.
#include "view_mode.h"

#include <gtest/gtest.h>

#include <vector>

using namespace hearvex::view;

TEST(ViewMode, SixClicksComeBackAndOnlyTheWaveEndsChangeTheLook) {
    int mode = kFirstSpectrumMode;
    std::vector<int> seen;
    for (int click = 0; click < 6; ++click) {
        const std::optional<ViewModeStep> step = viewModeAfterClick(mode);
        ASSERT_TRUE(step);
        const bool entersWave = step->next == kWaveMode;
        const bool leavesWave = mode == kWaveMode;
        EXPECT_EQ(step->centerLineVisible.has_value(), entersWave || leavesWave) << mode;
        EXPECT_EQ(step->backColor.has_value(), entersWave || leavesWave) << mode;
        mode = step->next;
        seen.push_back(mode);
    }
    EXPECT_EQ(seen, (std::vector<int>{3, 4, 5, 6, 1, 2}));
}

TEST(ViewMode, WaveIsWhiteWithItsCentreLineAndSpectrumBlackWithout) {
    const ViewModeStep toWave = *viewModeAfterClick(6);
    EXPECT_EQ(toWave.next, 1);
    EXPECT_EQ(toWave.centerLineVisible, true);
    EXPECT_EQ(toWave.backColor, rgb(255, 255, 255));
    const ViewModeStep toSpectrum = *viewModeAfterClick(1);
    EXPECT_EQ(toSpectrum.next, 2);
    EXPECT_EQ(toSpectrum.centerLineVisible, false);
    EXPECT_EQ(toSpectrum.backColor, rgb(0, 0, 0));
}

TEST(ViewMode, AnUnknownModeIsLeftAlone) {
    EXPECT_FALSE(viewModeAfterClick(0));
    EXPECT_FALSE(viewModeAfterClick(7));
    EXPECT_FALSE(viewModeAfterClick(-1));
}
