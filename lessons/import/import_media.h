// Importing a learner's own recording: one lesson per cue, its audio cut from
// the media in the pauses around the cue and its sentence from the cue's text.
// Used by hearvex-lesson import and align and by the lesson library; no widgets.
//
// The calls block until the import is done (run them off the window thread);
// the progress callback is called on the calling thread, and returning false
// from it cancels the import. Whatever the outcome other than Done, the lesson
// folder is left exactly as it was (a folder the import created is removed);
// a Done import's lessons appear all at once (lesson_set.h).
#pragma once

#include "cue_words.h"
#include "phrase_split.h"
#include "subtitle_reader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

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
};

// Lessons from the media's subtitles (request.subtitles, else beside it, else inside it).
ImportResult importMedia(const ImportRequest& request, const ImportProgress& progress = {});

// Lessons from cues found any other way (a transcript aligned to the media):
// each cue's text is cleaned as a subtitle's is; a cue without an end
// (kUntilNextCue) lasts until the next one. request.subtitles is not used.
ImportResult importCues(const ImportRequest& request, std::vector<Cue> cues,
                        const ImportProgress& progress = {});

// The lesson name an import gives by default: the media's file name less its last extension.
QByteArray defaultLessonName(const QByteArray& media);

} // namespace hearvex::lessons
