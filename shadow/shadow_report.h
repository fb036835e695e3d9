// A take's analysis as text: the lesson tool prints it (--tsv, one line per
// word of the sentence, then the score), and the 跟读 window reads it back
// from the tool, which holds the speech model so the program need not.
//
//   word<TAB>verdict<TAB>start<TAB>end          said|missed|unclear; seconds of the take
//   score<TAB>N
// With details, each word line goes on <TAB>confidence<TAB>pace<TAB>pause
// (pace: usual, slow, fast or empty; pause: "pause" or empty), and the model
// recording's words follow as model<TAB>word<TAB>start<TAB>end, then tempo<TAB>X.
#pragma once

#include "take_analysis.h"

#include <QByteArray>
#include <optional>

namespace hearvex::shadow {

struct ShadowReport {
    TakeAnalysis analysis;
    lessons::WordTimes model; // empty when the model's times are unknown
};

QByteArray formatReport(const ShadowReport& report, bool details);

// The report of formatReport(…, true); nullopt when the text is not one.
std::optional<ShadowReport> parseReport(const QByteArray& text);

} // namespace hearvex::shadow
