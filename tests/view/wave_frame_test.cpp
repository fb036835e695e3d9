// The wave frame's points, exactly: the view as designed is a frame 151 pixels
// wide inside (2265 twips) around a view 37 pixels high (555 twips).
#include "wave_frame.h"

#include <gtest/gtest.h>
#include <limits>

using namespace hearvex::view;

namespace {

constexpr int kScaleWidth = 2265;
constexpr int kHeight = 555;

EngineBuffer filled(int32_t value) {
    EngineBuffer b;
    b.fill(value);
    return b;
}

} // namespace

TEST(WaveFrame, SilenceIsAFlatLineAtHalfHeightAcrossTheFrame) {
    const auto points = wavePolyline({}, {}, kScaleWidth, kHeight);
    ASSERT_TRUE(points);
    // 555 / 2 / 15 = 18.5, which goes to the even 18: the centre line's row.
    for (const FramePoint& p : *points)
        EXPECT_EQ(p.y, 18);
    EXPECT_EQ(points->front().x, 0);
    // 2265 / 256 * 254 / 15 = 149.8: the line stops one column short of the frame's inner width.
    EXPECT_EQ(points->back().x, 150);
    for (int i = 1; i < kWavePoints; ++i)
        EXPECT_LE((*points)[i - 1].x, (*points)[i].x);
}

TEST(WaveFrame, HalfwayRowsRoundToEven) {
    // 525 / 2 / 15 = 17.5 goes up to 18; 585 / 2 / 15 = 19.5 up to 20; 615: 20.5 down to 20.
    EXPECT_EQ(wavePolyline({}, {}, kScaleWidth, 525)->front().y, 18);
    EXPECT_EQ(wavePolyline({}, {}, kScaleWidth, 585)->front().y, 20);
    EXPECT_EQ(wavePolyline({}, {}, kScaleWidth, 615)->front().y, 20);
}

TEST(WaveFrame, FullScaleReachesTheEdges) {
    EXPECT_EQ(wavePolyline(filled(-100), filled(-100), kScaleWidth, kHeight)->front().y, 0);
    EXPECT_EQ(wavePolyline(filled(100), filled(100), kScaleWidth, kHeight)->front().y, 37);
}

TEST(WaveFrame, ShowsTheAverageOfTheChannelsRoundedToEven) {
    // With a view 3000 twips high a row is exactly the mixed value v.
    EngineBuffer first{}, second{};
    first[0] = 1;                     // 0.5 + 100: down to 100
    first[2] = 3;                     // 1.5 + 100: up to 102
    first[4] = -1;                    // 99.5: up to 100
    first[6] = -3;                    // 98.5: down to 98
    first[8] = -100, second[8] = 100; // opposite channels cancel
    first[10] = 40, second[10] = 20;  // 30 + 100
    first[1] = 100, second[1] = 100;  // odd samples are not shown
    const auto points = wavePolyline(first, second, kScaleWidth, 3000);
    ASSERT_TRUE(points);
    const std::vector<int> rows{(*points)[0].y, (*points)[1].y, (*points)[2].y,
                                (*points)[3].y, (*points)[4].y, (*points)[5].y};
    EXPECT_EQ(rows, (std::vector<int>{100, 102, 100, 98, 100, 130}));
}

TEST(WaveFrame, ColumnsFollowTheFrameWidthWithHalvesToEven) {
    // Frame 3840 twips wide: sample k lands on column k.
    const auto wide = wavePolyline({}, {}, 3840, kHeight);
    EXPECT_EQ((*wide)[1].x, 2);
    EXPECT_EQ((*wide)[127].x, 254);
    // Frame 960 twips wide: column k / 4, so 0.5, 1.5 and 2.5 round to 0, 2 and 2.
    const auto narrow = wavePolyline({}, {}, 960, kHeight);
    EXPECT_EQ((*narrow)[1].x, 0);
    EXPECT_EQ((*narrow)[3].x, 2);
    EXPECT_EQ((*narrow)[5].x, 2);
    EXPECT_EQ((*narrow)[127].x, 64);
}

TEST(WaveFrame, ASumBeyond32BitsSkipsTheFrame) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    EngineBuffer first{}, second{};
    first[254] = kMax;
    second[254] = 1;
    EXPECT_FALSE(wavePolyline(first, second, kScaleWidth, kHeight));
    first[254] = kMin;
    second[254] = -1;
    EXPECT_FALSE(wavePolyline(first, second, kScaleWidth, kHeight));
    // At the limit itself the sum still fits: drawn, far below the box.
    second[254] = 0;
    first[254] = kMax;
    const auto points = wavePolyline(first, second, kScaleWidth, kHeight);
    ASSERT_TRUE(points);
    EXPECT_GT(points->back().y, 1000000);
}
