#include "import_media.h"

#include "import_steps.h"
#include "import_text.h"
#include "import_words.h"
#include "lesson_list.h"

namespace hearvex::lessons {

namespace {

// The subtitles asked for, else those beside the media, else those inside it.
SubtitleRead readCues(const ImportRequest& request) {
    if (!request.subtitles.isEmpty())
        return readSubtitleFile(request.subtitles);
    if (const QByteArray beside = siblingSubtitleFile(request.media); !beside.isEmpty())
        return readSubtitleFile(beside);
    return readEmbeddedSubtitles(request.media);
}

ImportResult importWith(const ImportRequest& request, const QByteArray& name, AudioDecoder& decoder,
                        std::vector<Cue> cues, const ImportProgress& progress) {
    ImportPlan plan = planLessons(std::move(cues));
    if (plan.lessons.empty()) {
        ImportResult result = importFailure(ImportOutcome::Failed,
                                            ImportText::tr("the subtitles hold no cue with text"));
        result.warnings = plan.warnings;
        return result;
    }
    if (auto cancelled = findWordsOfPlan(request, plan, progress))
        return *cancelled;
    LessonSet set;
    QList<QByteArray> replaced;
    if (auto refused = beginLessonSet(request, name, set, &replaced))
        return *refused;
    const CutClips clips = cutClips(decoder, plan, set, progress);
    if (clips.failure)
        return *clips.failure;
    ImportResult result = commitLessons(request, name, plan, clips, set, replaced);
    if (result.outcome == ImportOutcome::Done && progress) {
        ImportProgressInfo info;
        info.doneMs = info.totalMs = clips.mediaEndMs;
        info.lessonsDone = info.lessonsPlanned = int(result.lessons.size());
        progress(info); // the import is committed: too late to cancel
    }
    return result;
}

} // namespace

ImportResult importMedia(const ImportRequest& request, const ImportProgress& progress) {
    QByteArray name;
    if (auto refused = checkRequest(request, &name))
        return *refused;
    AudioDecoder decoder;
    QString error;
    if (!decoder.open(request.media, &error))
        return importFailure(ImportOutcome::Failed, error);
    SubtitleRead subtitles = readCues(request);
    if (!subtitles.found)
        return importFailure(ImportOutcome::NoSubtitles,
                             ImportText::tr("%1: no subtitles (none given, none beside it with "
                                            "the same name, none inside it)")
                                 .arg(fileNameText(request.media)));
    if (!subtitles.error.isEmpty())
        return importFailure(ImportOutcome::Failed, subtitles.error);
    ImportResult result = importWith(request, name, decoder, std::move(subtitles.cues), progress);
    result.warnings = subtitles.warnings + result.warnings;
    return result;
}

ImportResult importCues(const ImportRequest& request, std::vector<Cue> cues,
                        const ImportProgress& progress) {
    QByteArray name;
    if (auto refused = checkRequest(request, &name))
        return *refused;
    AudioDecoder decoder;
    QString error;
    if (!decoder.open(request.media, &error))
        return importFailure(ImportOutcome::Failed, error);
    return importWith(request, name, decoder, std::move(cues), progress);
}

} // namespace hearvex::lessons
