// The spectrum frame exactly, in the view as designed: 151 x 37 pixels, 555 twips high.
#include "bar_frame.h"

#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <set>

using namespace hearvex::view;

namespace {

constexpr int kHeight = 555;
constexpr PixelBox kBox{151, 37};
constexpr uint32_t kYellow = rgb(255, 255, 0);

// The frame as the view shows it: later pixels over earlier ones.
using Picture = std::map<std::pair<int, int>, uint32_t>;

Picture draw(const std::vector<FramePixel>& pixels) {
    Picture picture;
    for (const FramePixel& p : pixels)
        picture[{p.x, p.y}] = p.color;
    return picture;
}

std::vector<int> rowsOfColumn(const Picture& picture, int x) {
    std::vector<int> rows;
    for (const auto& [at, color] : picture)
        if (at.first == x)
            rows.push_back(at.second);
    return rows;
}

struct Spectrum : ::testing::Test {
    FallingLevels levels;
    EngineBuffer first{}, second{};

    Picture tick(int mode) {
        const auto pixels = spectrumFrame(mode, first, second, kHeight, kBox, levels);
        EXPECT_TRUE(pixels);
        return pixels ? draw(*pixels) : Picture{};
    }
};

std::vector<int> range(int from, int to) {
    std::vector<int> v;
    for (int i = from; i <= to; ++i)
        v.push_back(i);
    return v;
}

} // namespace

TEST(SpectrumColumns, StepsAndLastColumnsPerMode) {
    const std::map<int, std::pair<int, int>> expected{
        {2, {1, 255}}, {3, {2, 127}}, {4, {3, 85}}, {5, {4, 63}}, {6, {4, 63}}};
    for (const auto& [mode, stepLast] : expected) {
        const auto columns = spectrumColumns(mode);
        ASSERT_TRUE(columns) << mode;
        EXPECT_EQ(columns->step, stepLast.first) << mode;
        EXPECT_EQ(columns->last, stepLast.second) << mode;
        EXPECT_EQ(columns->twoPixelsWide, mode >= 3) << mode;
        EXPECT_EQ(columns->drawsBars, mode != 6) << mode;
    }
    EXPECT_FALSE(spectrumColumns(1));
    EXPECT_FALSE(spectrumColumns(7));
}

TEST(SpectrumColours, YellowAtTheBottomRedFromHalfHeightUp) {
    EXPECT_EQ(barColor(545, kHeight), rgb(255, 245, 0)); // g 250.4 -> 250, 2g - 255
    EXPECT_EQ(barColor(290, kHeight), rgb(255, 11, 0));  // g 133.2 -> 133
    EXPECT_EQ(barColor(275, kHeight), rgb(255, 0, 0));   // below 127.5 nothing is left of green
    EXPECT_EQ(barColor(5, kHeight), rgb(255, 0, 0));
    EXPECT_EQ(barColor(kHeight, kHeight), rgb(255, 255, 0));
}

TEST_F(Spectrum, SilenceRestsOnTheOnePixelFloorInYellow) {
    const Picture picture = tick(2);
    // 151 columns in the box, one pixel each on the bottom row: the bar's
    // single pixel with the peak mark over it.
    EXPECT_EQ(picture.size(), 151u);
    for (int x = 0; x < 151; ++x)
        EXPECT_EQ(picture.at({x, 36}), kYellow) << x;
    EXPECT_EQ(levels.barHeights, FallingLevels{}.barHeights);
    EXPECT_EQ(levels.peakHeights, FallingLevels{}.peakHeights);
}

TEST_F(Spectrum, Level110IsAFullHeightBarShadedFromYellowToRed) {
    second[10] = 110; // either buffer counts
    const Picture picture = tick(2);
    EXPECT_EQ(levels.barHeights[10], kHeight);
    EXPECT_EQ(levels.peakHeights[10], kHeight);
    EXPECT_EQ(rowsOfColumn(picture, 10), range(0, 36));
    EXPECT_EQ(picture.at({10, 36}), rgb(255, 245, 0));
    EXPECT_EQ(picture.at({10, 19}), rgb(255, 11, 0));
    EXPECT_EQ(picture.at({10, 18}), rgb(255, 0, 0));
    EXPECT_EQ(picture.at({10, 0}), rgb(255, 0, 0)); // the peak mark sits above the box
    // The neighbours keep their floor.
    EXPECT_EQ(rowsOfColumn(picture, 9), std::vector<int>{36});
}

TEST_F(Spectrum, BarsSink100AndPeaksSink30TwipsPerTickToTheFloor) {
    first[0] = 110;
    tick(2);
    first[0] = 0;
    std::vector<int> bars, peaks;
    for (int t = 0; t < 20; ++t) {
        tick(2);
        bars.push_back(levels.barHeights[0]);
        peaks.push_back(levels.peakHeights[0]);
    }
    EXPECT_EQ(bars, (std::vector<int>{455, 355, 255, 155, 55, 0, 0, 0, 0, 0,
                                      0,   0,   0,   0,   0,  0, 0, 0, 0, 0}));
    EXPECT_EQ(peaks, (std::vector<int>{525, 495, 465, 435, 405, 375, 345, 315, 285, 255,
                                       225, 195, 165, 135, 105, 75,  45,  15,  0,   0}));
}

TEST_F(Spectrum, AfterAFullBarTheNextSilentTickDropsItsTopAndPeak) {
    first[0] = 110;
    tick(2);
    first[0] = 0;
    const Picture picture = tick(2);
    // Bar 455 twips: top at 90, so rows from 545 up to 95 twips: 36 down to 6.
    // Peak 525 twips: top at 20 twips, row 1, in yellow above the bar.
    std::vector<int> expected{1};
    for (int row = 6; row <= 36; ++row)
        expected.push_back(row);
    EXPECT_EQ(rowsOfColumn(picture, 0), expected);
    EXPECT_EQ(picture.at({0, 1}), kYellow);
    EXPECT_EQ(picture.at({0, 6}), rgb(255, 0, 0));
}

TEST_F(Spectrum, TheBarRisesAtOnceAndThePeakNeverFallsBelowIt) {
    first[3] = 75; // 555 / 70 * 35 = 277.5 -> 278 (even)
    tick(2);
    EXPECT_EQ(levels.barHeights[3], 278);
    first[3] = 70; // 237.9 -> 238: the bar sinks only to the new height
    tick(2);
    EXPECT_EQ(levels.barHeights[3], 238);
    EXPECT_EQ(levels.peakHeights[3], 248);
    first[3] = 40; // exactly no bar
    tick(2);
    EXPECT_EQ(levels.barHeights[3], 138);
    EXPECT_EQ(levels.peakHeights[3], 218);
}

TEST_F(Spectrum, WiderModesShowEveryStepthBinInTwoPixelColumns) {
    first[4] = 110;  // mode 3: column 2 shows bin 4
    first[9] = 110;  // mode 4: column 3 shows bin 9
    first[16] = 110; // mode 5: column 4 shows bin 16
    const Picture mode3 = tick(3);
    EXPECT_EQ(rowsOfColumn(mode3, 2), range(0, 36));
    EXPECT_EQ(rowsOfColumn(mode3, 3), range(0, 36));
    EXPECT_EQ(mode3.at({3, 30}), mode3.at({2, 30}));
    EXPECT_EQ(rowsOfColumn(mode3, 4), std::vector<int>{36});
    EXPECT_EQ(rowsOfColumn(mode3, 127), std::vector<int>{36}); // last column, bin 252
    EXPECT_TRUE(rowsOfColumn(mode3, 128).empty());
    EXPECT_EQ(rowsOfColumn(tick(4), 3), range(0, 36));
    const Picture mode5 = tick(5);
    EXPECT_EQ(rowsOfColumn(mode5, 4), range(0, 36));
    EXPECT_EQ(rowsOfColumn(mode5, 5), range(0, 36));
    EXPECT_EQ(rowsOfColumn(mode5, 61), std::vector<int>{36});
    EXPECT_TRUE(rowsOfColumn(mode5, 62).empty());
}

TEST_F(Spectrum, Mode6DrawsOnlyYellowPeakMarksTwoPixelsWide) {
    first[16] = 110;
    tick(6);
    first[16] = 0;
    const Picture picture = tick(6); // column 4's mark now 30 twips below the top
    std::set<int> columns;
    for (const auto& [at, color] : picture) {
        EXPECT_EQ(color, kYellow);
        columns.insert(at.first);
    }
    std::set<int> expected;
    for (int x = 0; x <= 60; x += 4)
        expected.insert({x, x + 1});
    EXPECT_EQ(columns, expected);
    EXPECT_EQ(rowsOfColumn(picture, 4), std::vector<int>{1});
    EXPECT_EQ(rowsOfColumn(picture, 0), std::vector<int>{36});
    EXPECT_EQ(picture.size(), 32u);
}

TEST_F(Spectrum, LevelsCarryAcrossModes) {
    first[0] = 110;
    tick(2);
    first[0] = 0;
    tick(5);
    EXPECT_EQ(levels.barHeights[0], 455);
    EXPECT_EQ(rowsOfColumn(tick(3), 1).front(), 3); // bar 355, peak 495: peak top 50 twips
}

TEST_F(Spectrum, Mode2ClipsTheBinsBeyondTheBoxButKeepsTheirLevels) {
    first[150] = 110;
    first[151] = 110;
    const Picture picture = tick(2);
    EXPECT_EQ(rowsOfColumn(picture, 150), range(0, 36));
    EXPECT_TRUE(rowsOfColumn(picture, 151).empty());
    EXPECT_EQ(levels.barHeights[151], kHeight);
    for (const auto& [at, color] : picture) {
        EXPECT_LT(at.first, kBox.width);
        EXPECT_GE(at.second, 0);
        EXPECT_LT(at.second, kBox.height);
    }
}

TEST_F(Spectrum, LevelsBeyond32BitArithmeticSkipTheFrameAndKeepTheLevels) {
    first[5] = 90;
    tick(2);
    const FallingLevels before = levels;
    for (int32_t absurd :
         {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), 300000000}) {
        first[7] = second[7] = absurd; // a column shows the larger level
        EXPECT_FALSE(spectrumFrame(2, first, second, kHeight, kBox, levels)) << absurd;
        EXPECT_EQ(levels.barHeights, before.barHeights);
        EXPECT_EQ(levels.peakHeights, before.peakHeights);
    }
}

TEST_F(Spectrum, AHugeLevelThatStillFitsIsAFullBarAndSinksFromThere) {
    first[7] = 250000000; // about 2 * 10^9 twips: far above the box
    const Picture picture = tick(2);
    EXPECT_EQ(rowsOfColumn(picture, 7), range(0, 36));
    const int32_t high = levels.barHeights[7];
    first[7] = 0;
    tick(2);
    EXPECT_EQ(levels.barHeights[7], high - 100);
}

TEST_F(Spectrum, AnUnknownModeDrawsNothingAndKeepsTheLevels) {
    first[0] = 110;
    EXPECT_TRUE(tick(7).empty());
    EXPECT_EQ(levels.barHeights[0], 0);
}
