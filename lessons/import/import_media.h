// Importing a learner's own recording: one lesson per subtitle cue, its audio
// cut from the media and its sentence from the cue. Used by hearvex-lesson
// import and by the lesson library; no widgets.
//
// The call blocks until the import is done (run it off the window thread); the
// progress callback is called on the calling thread, and returning false from
// it cancels the import. Whatever the outcome other than Done, the lesson
// folder is left exactly as it was (a folder the import created is removed).
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace hearvex::lessons {

struct ImportRequest {
    QString media;     // any audio or video file FFmpeg reads; its first audio stream is used
    QString subtitles; // SRT, WebVTT, LRC, ASS/SSA; empty: the file beside the media with the
                       // same name (.srt .vtt .lrc .ass .ssa), else the media's own subtitles
    QString folder;    // where the lessons go; created if missing
    QString name;      // lessons are NAME-001.txt ...; empty: the media's name less its extension
    bool replace = false; // replace lessons of the same name instead of refusing
};

struct ImportProgressInfo {
    qint64 doneMs = 0;      // media read so far
    qint64 totalMs = 0;     // the media's length, 0 while unknown
    int lessonsDone = 0;    // recordings cut so far
    int lessonsPlanned = 0; // cues with text
};

// Returns false to cancel.
using ImportProgress = std::function<bool(const ImportProgressInfo&)>;

enum class ImportOutcome {
    Done,
    NoSubtitles, // none given, none beside the media, none inside it
    NameTaken,   // lessons of that name are there and replace is off
    Cancelled,
    Failed, // unreadable media or subtitles, no audio, no cue with text, a write error
};

struct ImportResult {
    ImportOutcome outcome = ImportOutcome::Failed;
    QString message;      // what went wrong, when not Done
    QString folder;       // where the lessons are
    QStringList lessons;  // the recordings written (NAME-001.txt ...), in order
    QStringList warnings; // cues skipped, characters dropped, each naming its cue
};

ImportResult importMedia(const ImportRequest& request, const ImportProgress& progress = {});

// The lesson name an import gives by default: the media's file name less its last extension.
QString defaultLessonName(const QString& media);

} // namespace hearvex::lessons
