// A transcript file aligned with its recording, from the file's bytes to
// timed sentences: what the align and import commands and the lesson library
// share. Blocks; run it off the window thread.
#pragma once

#include "forced_aligner.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace hearvex::lessons {

enum class AlignmentStage {
    Sentences, // reading and splitting the transcript
    Alignment, // finding its sentences' words in the recording
};

// Called on the calling thread; false cancels.
using StagedProgress = std::function<bool(AlignmentStage stage, double fraction)>;

struct TranscriptAlignment {
    AlignmentOutcome outcome = AlignmentOutcome::Unreadable;
    QString message;                        // why, when not Done; names the files
    std::vector<AlignedSentence> sentences; // the said ones, in order
    QStringList warnings;                   // characters dropped from sentences
    // Sentences not heard in the recording (a title, a note, a skipped line),
    // each named by its number and first words; Done all the same.
    QStringList leftOut;
    QStringList uncertain; // kept sentences found with low confidence, named so
    bool partial() const { return outcome == AlignmentOutcome::Done && !leftOut.isEmpty(); }
};

// 'sentence 3 ("Had he married a more...")': how messages name a transcript's sentence.
QString sentenceName(int number, const QString& text);

// Paths are the bytes of file names.
TranscriptAlignment alignTranscriptFile(const QByteArray& media, const QByteArray& transcript,
                                        const StagedProgress& progress = {});

// Whether a file given as subtitles is a plain transcript to align: a text
// file without timings, whatever its name (false for an unreadable file, so
// the subtitle reader reports it).
bool isPlainTranscript(const QByteArray& path);

} // namespace hearvex::lessons
