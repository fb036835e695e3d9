// Each sentence of a transcript looked for in its window of the recording by
// the acoustic aligner, on as many threads as the machine has (two decoders
// at most on a small machine: each holds the model, ~60 MB), and the verdict
// on the whole: which sentences were said, whether in the transcript's order.
#pragma once

#include "speech_aligner.h"

#include <QStringList>
#include <functional>
#include <span>
#include <vector>

namespace hearvex::lessons {

struct SearchWindow {
    qint64 firstMs = 0; // where to look for a sentence in the recording
    qint64 endMs = 0;
};

struct FoundSentence {
    QString text;
    SentenceWords words; // times in the recording
};

// 0..1 of the sentences looked at; false cancels.
using MatchProgress = std::function<bool(double fraction)>;

// One result per sentence, in order; empty when cancelled or the model is
// missing (*error says which, empty when cancelled).
std::vector<FoundSentence> findSentences(std::span<const qint16> pcm, const QStringList& sentences,
                                         const std::vector<SearchWindow>& windows,
                                         const SpeechModelPaths& model,
                                         const MatchProgress& progress, QString* error);

enum class TranscriptVerdict {
    AllSaid,          // every sentence matched, in order
    PartlySaid,       // some were not said (left out); the rest in order
    NotThisRecording, // most were not said
    OutOfOrder,       // the said ones are not in the transcript's order
};

struct SentenceJudgement {
    TranscriptVerdict verdict = TranscriptVerdict::NotThisRecording;
    std::vector<int> leftOut;               // indexes of sentences not said
    std::pair<int, int> misordered{-1, -1}; // two said sentences heard the other way round
};

// Matched sentences overlapping by up to this are still in order: the
// aligner's edges may disagree by a few frames where one runs into the next.
inline constexpr qint64 kOrderToleranceMs = 250;

SentenceJudgement judgeSentences(const std::vector<FoundSentence>& found);

} // namespace hearvex::lessons
