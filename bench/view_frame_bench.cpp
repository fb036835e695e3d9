// What one frame of the wave and spectrum view costs: the frame arithmetic and
// the drawing into an image the size of the view, per mode, over changing data.
#include "bar_frame.h"
#include "frame_painter.h"
#include "wave_frame.h"

#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <random>

using namespace hearvex::view;

namespace {

constexpr int kFrames = 20000;
constexpr int kHeightTwips = 555; // the view as designed: 151 x 37 pixels
constexpr int kScaleWidthTwips = 2235;

struct Data {
    std::vector<EngineBuffer> first, second;
};

// Speech-like levels: most bins low, some loud, changing every frame.
Data makeData(int lo, int hi) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> level(lo, hi);
    Data d;
    d.first.resize(64);
    d.second.resize(64);
    for (size_t i = 0; i < d.first.size(); ++i)
        for (int b = 0; b < kBufferLength; ++b) {
            d.first[i][b] = level(random);
            d.second[i][b] = level(random);
        }
    return d;
}

template <typename Frame> double microsecondsPerFrame(Frame&& frame) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i)
        frame(i);
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / kFrames;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QImage image(151, 37, QImage::Format_RGB32);

    const Data wave = makeData(-100, 100);
    const double waveCost = microsecondsPerFrame([&](int i) {
        const auto points =
            wavePolyline(wave.first[i % 64], wave.second[i % 64], kScaleWidthTwips, kHeightTwips);
        image.fill(Qt::white);
        if (points)
            paintWave(image, *points);
    });
    std::printf("mode 1 (wave)      %7.1f us per frame\n", waveCost);

    const Data spectrum = makeData(20, 110);
    for (int mode = 2; mode <= 6; ++mode) {
        FallingLevels levels;
        size_t pixelCount = 0;
        const double cost = microsecondsPerFrame([&](int i) {
            const auto pixels =
                spectrumFrame(mode, spectrum.first[i % 64], spectrum.second[i % 64], kHeightTwips,
                              {image.width(), image.height()}, levels);
            image.fill(Qt::black);
            if (pixels) {
                paintPixels(image, *pixels);
                pixelCount += pixels->size();
            }
        });
        std::printf("mode %d (spectrum)  %7.1f us per frame, %zu pixels on average\n", mode, cost,
                    pixelCount / kFrames);
    }
    return 0;
}
