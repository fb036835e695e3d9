// The transcript spoken by eSpeak NG (its English voice), sentence after
// sentence with a pause of known length between them, turned into features
// as it is made. eSpeak's state is global to the process: one synthesis runs
// at a time (others wait), from whichever thread calls.
#pragma once

#include "mfcc.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace hearvex::lessons {

struct FrameSpan {
    size_t first = 0; // first frame of the sentence's speech
    size_t end = 0;   // one past its last
};

struct SyntheticSpeech {
    SpeechFeatures features;          // not yet normalised
    std::vector<FrameSpan> sentences; // one per sentence, in order
};

// Called after each sentence with how many are done; false cancels.
using SynthesisProgress = std::function<bool(int sentencesDone)>;

// Empty features and a message in *error when eSpeak cannot be started or
// the synthesis was cancelled (*cancelled set).
SyntheticSpeech synthesiseSentences(const QStringList& sentences, float topHz,
                                    const SynthesisProgress& progress, QString* error,
                                    bool* cancelled = nullptr);

// How eSpeak NG's English voice says a word: its phoneme names with stress
// marks, separated by '_' ("h_@_l_'oU"); empty when eSpeak cannot start.
QString espeakPhonemes(const QString& word);

} // namespace hearvex::lessons
