// The import's word times: found for the planned sentences before the clips
// are cut, written beside each lesson once its clip's start is known.
#pragma once

#include "import_plan.h"
#include "import_types.h"

#include <optional>

namespace hearvex::lessons {

// Finds the planned sentences' words in the media (when the request has a
// finder) and splits the long sentences into phrases. Cancelled: a result to
// return; words not found at all: a warning, the lessons work without them.
std::optional<ImportResult> findWordsOfPlan(const ImportRequest& request, ImportPlan& plan,
                                            const ImportProgress& progress);

// A lesson's words in seconds of its own clip, which starts at clipStartMs of
// the media.
WordTimes wordsInClip(const WordTimes& words, qint64 clipStartMs);

} // namespace hearvex::lessons
