// A transcript's sentences found in a recording: eSpeak NG's warp says
// roughly where each is read, CMU Sphinx's model then looks for each one's
// words a few seconds either side of that and judges whether it was said.
// Blocks; run it off the window thread.
#pragma once

#include "forced_aligner.h"
#include "sentence_matcher.h"

namespace hearvex::lessons {

// How far either side of the warp's guess a sentence is looked for: the guess
// is nearly always within it; a sentence not found there is looked for again
// wider.
inline constexpr qint64 kSearchMarginMs = 1500;
// A sentence not found there is looked for again this far either side, so
// one read elsewhere (two sentences the other way round) is told from one not
// read at all.
inline constexpr qint64 kWideSearchMarginMs = 20000;
inline constexpr size_t kMostWideSearches = 40;

struct AcousticAlignment {
    AlignmentOutcome outcome = AlignmentOutcome::Unreadable; // Done also when some were left out
    QString message;                                         // why, when not Done
    TranscriptVerdict verdict = TranscriptVerdict::NotThisRecording;
    std::vector<AlignedSentence> sentences; // the said ones, in order, with their words
    std::vector<int> leftOut;               // indexes of sentences not said
    std::pair<int, int> misordered{-1, -1}; // when OutOfOrder
    int sentenceCount = 0;
};

AcousticAlignment alignAcoustically(const QByteArray& mediaPath, const QStringList& sentences,
                                    const AlignmentProgress& progress = {},
                                    const SpeechModelPaths& model = SpeechModelPaths::installed());

} // namespace hearvex::lessons
