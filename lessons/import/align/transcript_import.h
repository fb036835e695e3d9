// Lessons from a recording and its plain transcript: the transcript is split
// into sentences and aligned, then one lesson is cut per sentence by the
// import, with all its promises (staging, all or nothing, warnings). Blocks;
// run it off the window thread.
#pragma once

#include "import_media.h"
#include "transcript_alignment.h"

#include <optional>

namespace hearvex::lessons {

enum class TranscriptImportStage {
    Sentences, // 分句
    Alignment, // 对齐
    Cutting,   // 切分
};

struct TranscriptImportProgress {
    TranscriptImportStage stage = TranscriptImportStage::Sentences;
    double fraction = 0;    // of this stage
    ImportProgressInfo cut; // while cutting
};

// Called on the calling thread; false cancels.
using TranscriptImportProgressFn = std::function<bool(const TranscriptImportProgress&)>;

// request.subtitles is ignored; transcript is the bytes of the file name.
ImportResult importTranscript(const ImportRequest& request, const QByteArray& transcript,
                              const TranscriptImportProgressFn& progress = {});

// What a drop on the lesson library imports: request.subtitles when they are
// subtitles, aligned when a plain transcript; with none given, the subtitles
// beside or inside the media, else a transcript beside it with the media's
// name and .txt.
ImportResult importDropped(const ImportRequest& request,
                           const TranscriptImportProgressFn& progress = {});

// The transcript importDropped would align for a media given alone, if any.
QByteArray siblingTranscript(const QByteArray& media);

// For hearvex-lesson import: the import of request.subtitles as a transcript
// when it is a plain text without timings, nothing when it is subtitles.
std::optional<ImportResult> importIfTranscript(const ImportRequest& request,
                                               const ImportProgress& progress);

} // namespace hearvex::lessons
