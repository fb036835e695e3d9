// Where a clip is cut: in the pause before and after its cue, never inside a
// word. Each edge is searched for in a span of the media around the cue's edge
// (bounded by the neighbouring cues) and lands in the middle of the quiet run
// nearest the cue's edge; only a span without one is cut at its quietest
// 10 ms. A short fade at both ends keeps the cut from clicking. No I/O.
#pragma once

#include <QtGlobal>
#include <limits>

namespace hearvex::lessons {

inline constexpr qint64 kNoNeighbour = std::numeric_limits<qint64>::min();
inline constexpr qint64 kOpenEnd = std::numeric_limits<qint64>::max();

// How far before a cue's start (and after its end) its clip may reach.
inline constexpr qint64 kPauseSearchMs = 500;
// Where cues touch or overlap, how far either side of the touching point.
inline constexpr qint64 kTouchSearchMs = 250;
inline constexpr double kRmsWindowMs = 10.0;
inline constexpr double kFadeMs = 5.0;
// A pause a cut may go in lasts at least this long: a word's fading sound
// may dip as low as the room for a moment, never for this long.
inline constexpr double kQuietRunMs = 40.0;

struct CutSpan {
    qint64 fromMs = 0;
    qint64 toMs = 0; // fromMs <= toMs; kOpenEnd: the clip runs to the media's end
};

struct ClipSpans {
    CutSpan start;
    CutSpan end;
};

// The spans a cue's clip starts and ends in. The start lies between the cue's
// start less half a second and its start, never before the previous cue's
// end; where the cues touch or overlap, within a quarter second either side
// of the cue's start. The end likewise after the cue's end. The start span
// ends before the end span begins. previousEndMs or nextStartMs may be
// kNoNeighbour; endMs kOpenEnd (a cue that lasts until the media ends).
ClipSpans pauseSpans(qint64 previousEndMs, qint64 startMs, qint64 endMs, qint64 nextStartMs);

// The frame of planes[0..channels) (frameCount frames at sampleRate) centred
// in the quietest 10 ms; where a pause is quieter than the rest throughout,
// its middle. 0 for an empty span.
qint64 quietestFrame(const float* const* planes, int channels, qint64 frameCount, int sampleRate);

// Where an edge is cut in planes[0..channels) (frameCount frames at
// sampleRate): the middle of the run of quiet frames of at least 40 ms that
// lies nearest anchorFrame (the cue's edge), else quietestFrame. A frame is
// quiet when its 10 ms is within 6 dB of the quietest, or both at most 10 dB
// above the span's floor (its tenth-quietest percent) and at least 20 dB under
// its loudest,
// so speech is never quiet and a noisy room still is.
qint64 cutFrame(const float* const* planes, int channels, qint64 frameCount, int sampleRate,
                qint64 anchorFrame);

// The gain of frame `frame` of a clip of clipFrames frames: a 5 ms ramp up at
// its start and down at its end, 1 between.
float edgeFadeGain(qint64 frame, qint64 clipFrames, int sampleRate);

} // namespace hearvex::lessons
