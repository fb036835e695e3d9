// The wave and spectrum view on the real main window: the mode clicks, the
// frames drawn into picWave, and what each TimeView tick asks of the engine.
#include "form1.h"
#include "scripted_engine.h"
#include "support/wait_for.h"

#include <QTest>
#include <gtest/gtest.h>
#include <limits>

using hearvex::Form1;
using hearvex::testing::ScriptedEngine;

namespace {

// Checks that every tick hands the engine freshly zeroed buffers, and can
// leave them untouched as a silent engine may.
class ProbingEngine : public ScriptedEngine {
public:
    bool leaveBuffersAlone = false;
    int dirtyBuffers = 0;

    int32_t getWave(int32_t* first, int32_t* second) override {
        note(first, second);
        if (!leaveBuffersAlone)
            return ScriptedEngine::getWave(first, second);
        calls.push_back("getWave");
        return 0;
    }
    int32_t getSpectrum(int32_t* first, int32_t* second) override {
        note(first, second);
        if (!leaveBuffersAlone)
            return ScriptedEngine::getSpectrum(first, second);
        calls.push_back("getSpectrum");
        return 0;
    }

private:
    void note(const int32_t* first, const int32_t* second) {
        for (int i = 0; i < 256; ++i)
            if (first[i] != 0 || second[i] != 0)
                ++dirtyBuffers;
    }
};

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kYellow = qRgb(255, 255, 0);

class View : public ::testing::Test {
protected:
    ProbingEngine engine;
    Form1 form{engine};

    void SetUp() override {
        form.load();
        form.show();
        engine.clearCalls();
    }

    void clickView() {
        QTest::mouseClick(form.controls().picWave, Qt::LeftButton, {}, QPoint(20, 10));
    }
    const QImage& image() { return form.controls().picWave->image(); }
    QRgb pixel(int x, int y) { return image().pixel(x, y) | 0xff000000u; }

    // The rows of one column that differ from the background.
    std::vector<int> drawnRows(int x, QRgb background) {
        std::vector<int> rows;
        for (int y = 0; y < image().height(); ++y)
            if (pixel(x, y) != background)
                rows.push_back(y);
        return rows;
    }
};

} // namespace

TEST_F(View, StartsAsABlackOnePixelSpectrumWithoutTheCentreLine) {
    EXPECT_EQ(form.waveView().viewMode(), 2);
    EXPECT_EQ(form.controls().picWave->backColor(), QColor(0, 0, 0));
    EXPECT_FALSE(form.controls().lineCenter->isVisible());
    EXPECT_TRUE(form.controls().TimeView->enabled());
    EXPECT_EQ(form.controls().TimeView->interval(), 100);
    EXPECT_EQ(image().size(), QSize(151, 37));
}

TEST_F(View, SixClicksStepThroughTheModesAndBack) {
    std::vector<int> modes;
    for (int click = 0; click < 6; ++click) {
        clickView();
        const int mode = form.waveView().viewMode();
        modes.push_back(mode);
        EXPECT_EQ(form.controls().lineCenter->isVisible(), mode == 1) << mode;
        EXPECT_EQ(form.controls().picWave->backColor(),
                  mode == 1 ? QColor(Qt::white) : QColor(Qt::black));
        EXPECT_EQ(pixel(75, 30), mode == 1 ? kWhite : kBlack) << "cleared in mode " << mode;
    }
    EXPECT_EQ(modes, (std::vector<int>{3, 4, 5, 6, 1, 2}));
}

TEST_F(View, EachTickAsksTheEngineOnceWithZeroedBuffers) {
    engine.spectrumFirst.fill(90);
    form.controls().TimeView->tick();
    engine.leaveBuffersAlone = true;
    form.controls().TimeView->tick(); // last tick's data must not come back
    EXPECT_EQ(engine.dirtyBuffers, 0);
    EXPECT_EQ(engine.count("getSpectrum"), 2);
    EXPECT_EQ(engine.count("getWave"), 0);
    for (int i = 0; i < 5; ++i)
        clickView();
    ASSERT_EQ(form.waveView().viewMode(), 1);
    engine.waveFirst.fill(100);
    engine.leaveBuffersAlone = false;
    form.controls().TimeView->tick();
    engine.leaveBuffersAlone = true;
    form.controls().TimeView->tick();
    EXPECT_EQ(engine.dirtyBuffers, 0);
    EXPECT_EQ(engine.count("getWave"), 2);
    EXPECT_EQ(engine.count("getSpectrum"), 2);
    // The untouched buffers read as silence: the flat line on the centre row.
    EXPECT_EQ(drawnRows(40, kWhite), std::vector<int>{18});
}

TEST_F(View, SilenceInWaveModeIsABlackLineOnTheCentreRowAcrossTheFrame) {
    for (int i = 0; i < 5; ++i)
        clickView();
    form.controls().TimeView->tick();
    // The frame's inner width (2265 twips) spans the whole view: the last point is at x 150.
    ASSERT_EQ(form.picWaveFrmScaleWidth(), 2265);
    for (int x = 0; x <= 150; ++x)
        EXPECT_EQ(drawnRows(x, kWhite), std::vector<int>{18}) << x;
    EXPECT_EQ(pixel(60, 18), kBlack);
    EXPECT_EQ(form.controls().lineCenter->geometry().y(), 18);
}

TEST_F(View, AFullLevelDrawsAFullBarThatFallsOnTheNextSilentTick) {
    engine.spectrumSecond[20] = 110;
    form.controls().TimeView->tick();
    std::vector<int> full(37);
    for (int y = 0; y < 37; ++y)
        full[y] = y;
    EXPECT_EQ(drawnRows(20, kBlack), full);
    EXPECT_EQ(pixel(20, 36), qRgb(255, 245, 0));
    EXPECT_EQ(pixel(20, 0), qRgb(255, 0, 0));
    EXPECT_EQ(drawnRows(21, kBlack), std::vector<int>{36});
    engine.spectrumSecond[20] = 0;
    form.controls().TimeView->tick();
    const std::vector<int> rows = drawnRows(20, kBlack);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), 1); // the peak mark, 30 twips down
    EXPECT_EQ(pixel(20, 1), kYellow);
    EXPECT_EQ(rows[1], 6); // the bar, 100 twips down
    EXPECT_EQ(form.waveView().levels().barHeights[20], 455);
}

TEST_F(View, FallingLevelsSurviveModeChanges) {
    engine.spectrumFirst[0] = 110;
    form.controls().TimeView->tick();
    engine.spectrumFirst[0] = 0;
    clickView(); // mode 3: two-pixel columns
    form.controls().TimeView->tick();
    EXPECT_EQ(drawnRows(0, kBlack), drawnRows(1, kBlack));
    EXPECT_EQ(drawnRows(1, kBlack).front(), 1);
    EXPECT_EQ(form.waveView().levels().peakHeights[0], 525);
}

TEST_F(View, Mode6ShowsOnlyYellowMarksEveryFourthColumn) {
    for (int i = 0; i < 4; ++i)
        clickView();
    ASSERT_EQ(form.waveView().viewMode(), 6);
    engine.spectrumFirst.fill(110);
    form.controls().TimeView->tick();
    engine.spectrumFirst.fill(0);
    form.controls().TimeView->tick();
    for (int x = 0; x < 151; ++x) {
        const bool marked = x <= 61 && x % 4 < 2;
        EXPECT_EQ(drawnRows(x, kBlack), marked ? std::vector<int>{1} : std::vector<int>{}) << x;
        if (marked) {
            EXPECT_EQ(pixel(x, 1), kYellow);
        }
    }
}

TEST_F(View, AbsurdEngineValuesSkipTheFrameAndTheViewGoesOn) {
    engine.spectrumFirst[3] = 100;
    form.controls().TimeView->tick();
    const QImage before = image().copy();
    const auto levels = form.waveView().levels();
    engine.spectrumFirst[3] = std::numeric_limits<int32_t>::max();
    form.controls().TimeView->tick();
    EXPECT_EQ(image(), before);
    EXPECT_EQ(form.waveView().levels().barHeights, levels.barHeights);
    for (int i = 0; i < 5; ++i)
        clickView();
    engine.waveFirst[128] = std::numeric_limits<int32_t>::max();
    engine.waveSecond[128] = 1;
    form.controls().TimeView->tick(); // the sum leaves 32 bits: the cleared view stays as it is
    EXPECT_TRUE(drawnRows(40, kWhite).empty());
    engine.waveSecond[128] = 0;
    form.controls()
        .TimeView->tick(); // still absurd but within range: drawn, and clipped at the edge
    EXPECT_EQ(drawnRows(40, kWhite), std::vector<int>{18});
    // Sample 128 drops from (74, 18) to row 2 * 10^8 and climbs back towards
    // (77, 18): two strokes down to the bottom edge and nothing else off the line.
    std::vector<int> down;
    for (int y = 18; y <= 36; ++y)
        down.push_back(y);
    EXPECT_EQ(drawnRows(74, kWhite), down);
    int bottom = 0;
    for (int x = 0; x < image().width(); ++x)
        bottom += pixel(x, 36) != kWhite;
    EXPECT_EQ(bottom, 2);
}

TEST_F(View, TheViewRunsByItselfFromLoadOn) {
    // No track is open: the real timer draws the frames all the same.
    engine.spectrumFirst[5] = 110;
    HEARVEX_WAIT_FOR_MS(engine.count("getSpectrum") >= 2, 5000);
    EXPECT_EQ(drawnRows(5, kBlack).size(), 37u);
}

// An unchanged frame is not painted again, but a picture cleared by a mode
// click or a fresh start shows the same frame again on the next tick.
TEST_F(View, AnUnchangedFrameIsRedrawnAfterThePictureWasCleared) {
    engine.spectrumSecond[20] = 110;
    for (int i = 0; i < 40; ++i) // the bar falls all the way, then every frame is alike
        form.controls().TimeView->tick();
    engine.spectrumSecond[20] = 0;
    for (int i = 0; i < 40; ++i)
        form.controls().TimeView->tick();
    const QImage settled = image().copy();
    form.controls().TimeView->tick();
    EXPECT_EQ(image(), settled);
    ASSERT_FALSE(drawnRows(40, kBlack).empty()); // the floor row of the bars
    for (int i = 0; i < 6; ++i)
        clickView(); // back to mode 2, the picture cleared on the way
    form.controls().TimeView->tick();
    EXPECT_EQ(image(), settled);
    form.waveView().startFresh();
    EXPECT_TRUE(drawnRows(40, kBlack).empty());
    form.controls().TimeView->tick();
    EXPECT_EQ(image(), settled);
}
