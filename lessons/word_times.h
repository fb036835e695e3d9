// The times of a lesson's words in its recording, kept beside the lesson as
// NAME.words: UTF-8, one word a line, "start<TAB>end<TAB>confidence<TAB>word",
// start and end in seconds of the clip (3 decimals), confidence 0..1 (2
// decimals), the word as written in the sentence. No header, so `cut` works;
// blank lines are ignored. Lessons without the file keep working without word
// times.
#pragma once

#include <QByteArray>
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

// Below this mean confidence a sentence's alignment is only a guess: the
// library marks such a lesson 对齐不确定 and the import lists it. The aligner
// keeps its own threshold equal to it.
inline constexpr double kConfidentAlignment = 0.7;

// The sidecar of a listed recording: its name less the last extension, then
// ".words" (unit3.txt -> unit3.words, UNIT1.TXT -> UNIT1.words).
QByteArray wordTimesFileName(const QByteArray& recording);

// The lines of the sidecar. Times below 0 are written as 0, confidences
// outside 0..1 as the nearer end; tabs and line breaks in a word become spaces.
QByteArray formatWordTimes(const WordTimes& words);

struct WordTimesParse {
    WordTimes words;
    std::vector<int> skippedLines; // 1-based: lines that are no word's time
};

// Reads the lines of a sidecar; a line that is not four fields of sound
// values (times 0 or later, end not before start, confidence 0..1, a word) is
// skipped and counted, never guessed at. A CR before a line's end is allowed.
WordTimesParse parseWordTimes(const QByteArray& bytes);

// Sidecars past this size are no lesson's: 10,000 words of a few dozen bytes.
inline constexpr qint64 kMaxWordTimesBytes = 1 << 20;

enum class WordTimesStatus {
    Read,
    Missing,    // no such file, or not a regular file: the lesson has no word times
    Unreadable, // it could not be opened or read, or it is too large
};

struct WordTimesFile {
    WordTimesStatus status = WordTimesStatus::Missing;
    WordTimes words;
    std::vector<int> skippedLines;
};

// Reads a sidecar named by the bytes of its path (which need not be UTF-8).
// Only regular files are opened, so a FIFO in its place cannot hang the reader.
WordTimesFile readWordTimes(const QByteArray& path);

// Writes a sidecar beside its lesson: to a temporary file in the same folder,
// synced, then renamed over path, so a kill leaves the old file or the new,
// never half of one. On failure error says why and path is untouched.
bool writeWordTimes(const QByteArray& path, const WordTimes& words, QString* error);

// The mean of the words' confidences; 0 without words.
double meanConfidence(const WordTimes& words);
// Whether a lesson's word times are too unsure to trust: it has some, and
// their mean confidence is below kConfidentAlignment.
bool alignmentUncertain(const WordTimes& words);

} // namespace hearvex::lessons
