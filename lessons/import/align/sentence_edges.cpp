#include "sentence_edges.h"

#include <algorithm>

namespace hearvex::lessons {

std::vector<CueSpan> cueSpans(const std::vector<SpeechSpan>& spans, qint64 durationMs) {
    std::vector<CueSpan> cues;
    for (size_t k = 0; k < spans.size(); ++k) {
        const qint64 before = k > 0 ? spans[k - 1].endMs : 0;
        const qint64 after = k + 1 < spans.size() ? spans[k + 1].firstMs : durationMs;
        const qint64 pauseBefore = std::max<qint64>(0, spans[k].firstMs - before);
        const qint64 pauseAfter = std::max<qint64>(0, after - spans[k].endMs);
        // The whole pause is the cue's at the recording's ends, half of it between sentences.
        const qint64 lead = std::min(kCueLeadMs, k > 0 ? pauseBefore / 2 : pauseBefore);
        const qint64 tail =
            std::min(kCueLeadMs, k + 1 < spans.size() ? pauseAfter / 2 : pauseAfter);
        CueSpan cue{std::max<qint64>(0, spans[k].firstMs - lead), spans[k].endMs + tail};
        if (durationMs > 0)
            cue.endMs = std::min(cue.endMs, durationMs);
        cue.endMs = std::max(cue.endMs, cue.startMs + 1);
        cues.push_back(cue);
    }
    return cues;
}

} // namespace hearvex::lessons
