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
    const std::vector<double> sums = powerSums(planes, channels, frameCount);
    const qint64 half = std::max<qint64>(1, qint64(kRmsWindowMs * sampleRate / 2000.0));
    const qint64 hop = std::max<qint64>(1, sampleRate / 1000);
    // Mean power of the 10 ms centred on each candidate (narrower at the span's ends).
    std::vector<std::pair<qint64, double>> levels;
    for (qint64 centre = 0; centre < frameCount; centre += hop) {
        const qint64 from = std::max<qint64>(0, centre - half);
        const qint64 to = std::min(frameCount, centre + half);
        levels.emplace_back(centre, (sums[size_t(to)] - sums[size_t(from)]) / double(to - from));
    }
    const auto quietest = std::min_element(levels.begin(), levels.end(),
                                           [](auto& a, auto& b) { return a.second < b.second; });
    // Within 6 dB of the quietest and around it: the pause; cut in its middle.
    const double pause = quietest->second * 4 + 1e-10;
    auto first = quietest;
    while (first != levels.begin() && std::prev(first)->second <= pause)
        --first;
    auto last = quietest;
    while (std::next(last) != levels.end() && std::next(last)->second <= pause)
        ++last;
    return (first->first + last->first) / 2;
}

float edgeFadeGain(qint64 frame, qint64 clipFrames, int sampleRate) {
    const double fadeFrames = std::max(1.0, kFadeMs * sampleRate / 1000.0);
    const double fromEdge = double(std::min(frame, clipFrames - 1 - frame)) + 0.5;
    return fromEdge >= fadeFrames ? 1.0f : float(std::max(0.0, fromEdge / fadeFrames));
}

} // namespace hearvex::lessons
