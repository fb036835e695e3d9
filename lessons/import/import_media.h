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

#include "import_types.h"
#include "subtitle_reader.h"

#include <QByteArray>
#include <vector>

namespace hearvex::lessons {

// Lessons from the media's subtitles (request.subtitles, else beside it, else inside it).
ImportResult importMedia(const ImportRequest& request, const ImportProgress& progress = {});

// Lessons from cues found any other way (a transcript aligned to the media):
// each cue's text is cleaned as a subtitle's is; a cue without an end
// (kUntilNextCue) lasts until the next one. request.subtitles is not used.
ImportResult importCues(const ImportRequest& request, std::vector<Cue> cues,
                        const ImportProgress& progress = {});

} // namespace hearvex::lessons
