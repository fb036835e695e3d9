// What an import is asked and what it answers: the request, its progress and
// its result, shared by the import's steps and the calls that run them.
#pragma once

#include "cue_words.h"
#include "phrase_split.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace hearvex::lessons {

// Paths and the name are the bytes of file names (QFile::encodeName of a
// QString path): names in GBK or any other bytes work as given.
struct ImportRequest {
    QByteArray media;     // any audio or video file FFmpeg reads; its first audio stream is used
    QByteArray subtitles; // SRT, WebVTT, LRC, ASS/SSA; empty: the file beside the media with
                          // the same name (.srt .vtt .lrc .ass .ssa), else the media's own
    QByteArray folder;    // where the lessons go; created if missing
    QByteArray name;      // lessons are NAME-001.txt ...; empty: the media's name less its
                          // extension
    bool replace = false; // replace lessons of the same name instead of refusing
    // Finds each sentence's words in the media: every lesson gets NAME-001.words
    // beside it, and sentences over the limits become one lesson per phrase.
    // Empty: the lessons get no word times and no sentence is split.
    WordFinder findWords;
    PhraseLimits phrases;
};

struct ImportProgressInfo {
    qint64 doneMs = 0;         // media read so far
    qint64 totalMs = 0;        // the media's length, 0 while unknown
    int lessonsDone = 0;       // recordings cut so far
    int lessonsPlanned = 0;    // cues with text
    bool findingWords = false; // the words are being found (doneMs of totalMs), not yet cut
};

// Returns false to cancel.
using ImportProgress = std::function<bool(const ImportProgressInfo&)>;

enum class ImportOutcome {
    Done,
    NoSubtitles, // none given, none beside the media, none inside it
    NameTaken,   // lessons of that name are there and replace is off
    Busy,        // another import of lessons of that name is running in the folder
    Cancelled,
    Failed, // unreadable media or subtitles, no audio, no cue with text, a write error
};

struct ImportResult {
    ImportOutcome outcome = ImportOutcome::Failed;
    QString message;       // what went wrong, when not Done
    QString folder;        // where the lessons are, as shown
    QStringList lessons;   // the recordings written (NAME-001.txt ...), in order, as shown
    QStringList warnings;  // cues skipped, characters dropped, each naming its cue
    QStringList uncertain; // lessons whose words were found only with low confidence, as shown
    bool partial =
        false; // sentences of a transcript were not heard and left out (warnings name them)
};

// The lesson name an import gives by default: the media's file name less its last extension.
QByteArray defaultLessonName(const QByteArray& media);

// A result that reports a failure (or a cancel) and nothing else.
inline ImportResult importFailure(ImportOutcome outcome, const QString& message) {
    ImportResult result;
    result.outcome = outcome;
    result.message = message;
    return result;
}

} // namespace hearvex::lessons
