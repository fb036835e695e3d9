// The times of a lesson's words in its recording, kept beside the lesson as
// NAME.words: UTF-8, one word a line, "start<TAB>end<TAB>confidence<TAB>word",
// start and end in seconds of the clip, confidence 0..1, the word as written
// in the sentence. Lessons without the file keep working without word times.
#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace hearvex::lessons {

struct TimedWord {
    qint64 startMs = 0;
    qint64 endMs = 0;
    double confidence = 0; // 0..1: how sure the aligner is that the word was said there
    QString text;          // as written in the sentence, punctuation kept
};

using WordTimes = std::vector<TimedWord>;

} // namespace hearvex::lessons
