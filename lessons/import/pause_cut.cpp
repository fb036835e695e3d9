#include "pause_cut.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace hearvex::lessons {

namespace {

// Where both neighbours' spans meet, the start span must close before the end
// span opens, so a short cue keeps some of its sound.
qint64 middle(qint64 startMs, qint64 endMs) {
    return endMs == kOpenEnd ? kOpenEnd : startMs + (std::max(endMs, startMs) - startMs) / 2;
}

CutSpan startSpan(qint64 previousEndMs, qint64 startMs, qint64 limitMs) {
    CutSpan span;
    if (previousEndMs != kNoNeighbour && previousEndMs >= startMs) {
        span = {startMs - kTouchSearchMs, std::min(startMs + kTouchSearchMs, limitMs)};
    } else {
        span = {startMs - kPauseSearchMs, startMs};
        if (previousEndMs != kNoNeighbour)
            span.fromMs = std::max(span.fromMs, previousEndMs);
    }
    span.fromMs = std::max<qint64>(span.fromMs, 0);
    span.toMs = std::max(span.toMs, span.fromMs);
    return span;
}

CutSpan endSpan(qint64 endMs, qint64 nextStartMs, qint64 limitMs) {
    if (endMs == kOpenEnd)
        return {kOpenEnd, kOpenEnd};
    CutSpan span;
    if (nextStartMs != kNoNeighbour && nextStartMs <= endMs) {
        span = {std::max(endMs - kTouchSearchMs, limitMs), endMs + kTouchSearchMs};
    } else {
        span = {endMs, endMs + kPauseSearchMs};
        if (nextStartMs != kNoNeighbour)
            span.toMs = std::min(span.toMs, nextStartMs);
    }
    span.fromMs = std::max<qint64>(span.fromMs, 0);
    span.toMs = std::max(span.toMs, span.fromMs);
    return span;
}

struct Level {
    qint64 centre; // frame
    double power;  // mean power of the 10 ms around it
};

qint64 hopFrames(int sampleRate) {
    return std::max<qint64>(1, sampleRate / 1000);
}

// Running sums of the frames' power (mean of the channels' squares).
std::vector<double> powerSums(const float* const* planes, int channels, qint64 frameCount) {
    std::vector<double> sums(static_cast<size_t>(frameCount) + 1, 0.0);
    for (qint64 i = 0; i < frameCount; ++i) {
        double power = 0;
        for (int c = 0; c < channels; ++c)
            power += double(planes[c][i]) * planes[c][i];
        sums[size_t(i) + 1] = sums[size_t(i)] + power / channels;
    }
    return sums;
}

// The level of every millisecond: the mean power of the 10 ms centred on it
// (narrower at the span's ends).
std::vector<Level> levelsOf(const float* const* planes, int channels, qint64 frameCount,
                            int sampleRate) {
    const std::vector<double> sums = powerSums(planes, channels, frameCount);
    const qint64 half = std::max<qint64>(1, qint64(kRmsWindowMs * sampleRate / 2000.0));
    std::vector<Level> levels;
    for (qint64 centre = 0; centre < frameCount; centre += hopFrames(sampleRate)) {
        const qint64 from = std::max<qint64>(0, centre - half);
        const qint64 to = std::min(frameCount, centre + half);
        levels.push_back({centre, (sums[size_t(to)] - sums[size_t(from)]) / double(to - from)});
    }
    return levels;
}

// The quietest 10 ms; where a pause is quieter than the rest throughout
// (within 6 dB of the quietest around it), its middle.
qint64 quietestIn(const std::vector<Level>& levels) {
    const auto quietest = std::min_element(levels.begin(), levels.end(),
                                           [](auto& a, auto& b) { return a.power < b.power; });
    const double pause = quietest->power * 4 + 1e-10;
    auto first = quietest;
    while (first != levels.begin() && std::prev(first)->power <= pause)
        --first;
    auto last = quietest;
    while (std::next(last) != levels.end() && std::next(last)->power <= pause)
        ++last;
    return (first->centre + last->centre) / 2;
}

// The highest level a frame of a pause has: near the quietest, or well above
// the span's floor and well under its loudest.
double quietThreshold(const std::vector<Level>& levels) {
    std::vector<double> powers;
    powers.reserve(levels.size());
    for (const Level& level : levels)
        powers.push_back(level.power);
    std::sort(powers.begin(), powers.end());
    const double floor = powers[powers.size() / 10];
    const double nearQuietest = powers.front() * 4 + 1e-10;
    return std::max(nearQuietest, std::min(floor * 10, powers.back() / 100));
}

} // namespace

ClipSpans pauseSpans(qint64 previousEndMs, qint64 startMs, qint64 endMs, qint64 nextStartMs) {
    const qint64 half = middle(startMs, endMs);
    ClipSpans spans;
    spans.start = startSpan(previousEndMs, startMs, half);
    spans.end = endSpan(endMs, nextStartMs, half);
    if (spans.end.fromMs != kOpenEnd)
        spans.end.fromMs = std::max(spans.end.fromMs, spans.start.toMs);
    spans.end.toMs = std::max(spans.end.toMs, spans.end.fromMs);
    return spans;
}

qint64 quietestFrame(const float* const* planes, int channels, qint64 frameCount, int sampleRate) {
    if (frameCount <= 0 || channels <= 0)
        return 0;
    return quietestIn(levelsOf(planes, channels, frameCount, sampleRate));
}

qint64 cutFrame(const float* const* planes, int channels, qint64 frameCount, int sampleRate,
                qint64 anchorFrame) {
    if (frameCount <= 0 || channels <= 0)
        return 0;
    const std::vector<Level> levels = levelsOf(planes, channels, frameCount, sampleRate);
    const double minRunFrames = kQuietRunMs * sampleRate / 1000.0;
    const qint64 hop = hopFrames(sampleRate);
    const double quiet = quietThreshold(levels);
    qint64 best = -1;
    qint64 bestDistance = 0;
    for (size_t first = 0; first < levels.size();) {
        if (levels[first].power > quiet) {
            ++first;
            continue;
        }
        size_t last = first;
        while (last + 1 < levels.size() && levels[last + 1].power <= quiet)
            ++last;
        const qint64 from = levels[first].centre;
        const qint64 to = levels[last].centre + hop;
        const qint64 distance =
            anchorFrame < from ? from - anchorFrame : std::max<qint64>(0, anchorFrame - to);
        if (double(to - from) >= minRunFrames && (best < 0 || distance < bestDistance)) {
            best = (from + levels[last].centre) / 2;
            bestDistance = distance;
        }
        first = last + 1;
    }
    return best >= 0 ? best : quietestIn(levels);
}

float edgeFadeGain(qint64 frame, qint64 clipFrames, int sampleRate) {
    const double fadeFrames = std::max(1.0, kFadeMs * sampleRate / 1000.0);
    const double fromEdge = double(std::min(frame, clipFrames - 1 - frame)) + 0.5;
    return fromEdge >= fadeFrames ? 1.0f : float(std::max(0.0, fromEdge / fadeFrames));
}

} // namespace hearvex::lessons
