// Where each sentence of a transcript is spoken in a recording: the sentences
// are spoken by eSpeak NG, both speeches are turned into cepstra, the two are
// warped onto each other, and each sentence edge found in the synthetic speech
// is carried over to the recording and moved into the pause nearest it.
//
// The call blocks (run it off the window thread): the recording is read on a
// second thread while the synthesis runs on the calling one. The progress
// callback is called on the calling thread; returning false cancels.
#pragma once

#include "word_times.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace hearvex::lessons {

struct AlignedSentence {
    qint64 startMs = 0; // in the pause before the sentence
    qint64 endMs = 0;   // in the pause after it
    QString text;
    int number = 0;         // 1 for the transcript's first sentence; 0 when not known
    WordTimes words;        // in the recording; empty when the words were not timed
    double confidence = 1;  // 0..1 that the sentence is said here
    bool uncertain = false; // kept, but found only with low confidence (对齐不确定)
};

enum class AlignmentOutcome {
    Done,
    Cancelled,
    Unreadable, // the recording cannot be read, or eSpeak NG cannot be started
    Mismatch,   // the transcript is not what the recording says
};

struct Alignment {
    AlignmentOutcome outcome = AlignmentOutcome::Unreadable;
    QString message; // why, when not Done
    std::vector<AlignedSentence> sentences;
    double matchRatio = 0;       // the warp's cost against unrelated speech; low is good
    double implausibleShare = 0; // sentences given a span no reader would take
};

// 0..1 of the whole alignment; false cancels.
using AlignmentProgress = std::function<bool(double fraction)>;

enum class AlignmentCheck {
    RefuseMismatch, // Mismatch when the warp finds the text too far from the speech
    SpansOnly,      // the spans as the warp found them, for a finer aligner to judge
};

// mediaPath: the bytes of the file name.
Alignment alignTranscript(const QByteArray& mediaPath, const QStringList& sentences,
                          const AlignmentProgress& progress = {},
                          AlignmentCheck check = AlignmentCheck::RefuseMismatch);

} // namespace hearvex::lessons
