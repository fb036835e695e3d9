// The steps of an import, each one job: settle the request, cut the clips
// into a staged lesson set, commit it. import_media.cpp strings them together.
#pragma once

#include "audio_decoder.h"
#include "import_plan.h"
#include "import_types.h"
#include "lesson_set.h"

#include <optional>

namespace hearvex::lessons {

// The lesson name the request gives; a failure when the folder or the name
// cannot be used.
std::optional<ImportResult> checkRequest(const ImportRequest& request, QByteArray* name);

// Takes the name in the folder (refusing when lessons of that name are there
// and replace is off, or another import of it runs) and begins its set.
std::optional<ImportResult> beginLessonSet(const ImportRequest& request, const QByteArray& name,
                                           LessonSet& set, QList<QByteArray>* replaced);

struct CutClips {
    std::optional<ImportResult> failure;
    std::vector<size_t> kept;        // the planned lessons that got a recording, in order
    std::vector<qint64> clipStartMs; // per planned lesson: where its clip starts in the media
    qint64 mediaEndMs = 0;
};

// Decodes the media once and cuts every planned clip into the set's staging,
// warning of cues that start after the media's end.
CutClips cutClips(AudioDecoder& decoder, ImportPlan& plan, const LessonSet& set,
                  const ImportProgress& progress);

// Writes the kept lessons' texts and word times, names them NAME-001 ... and
// commits the set.
ImportResult commitLessons(const ImportRequest& request, const QByteArray& name,
                           const ImportPlan& plan, const CutClips& clips, LessonSet& set,
                           const QList<QByteArray>& replaced);

// Where clip i of a plan is staged until it gets its lesson's name.
QByteArray stagedClipName(size_t i);

} // namespace hearvex::lessons
