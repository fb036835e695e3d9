// Where the cues of the sentences that were said start and end: in the pause
// before and after each sentence's words, never into the words of a sentence
// (said or not) next to it. No I/O.
#pragma once

#include <QtGlobal>
#include <vector>

namespace hearvex::lessons {

struct SpeechSpan {
    qint64 firstMs = 0; // the first word's start
    qint64 endMs = 0;   // the last word's end
};

struct CueSpan {
    qint64 startMs = 0;
    qint64 endMs = 0;
};

// How far a cue reaches into the pause either side, at most.
inline constexpr qint64 kCueLeadMs = 400;

// spans in order and not overlapping by much; durationMs: the recording's
// length. Each cue reaches half way into the pause to its neighbour, at most
// kCueLeadMs, and never past the recording's ends.
std::vector<CueSpan> cueSpans(const std::vector<SpeechSpan>& spans, qint64 durationMs);

} // namespace hearvex::lessons
