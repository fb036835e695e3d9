#include "import_steps.h"

#include "clip_cutter.h"
#include "import_text.h"
#include "import_words.h"
#include "lesson_file.h"
#include "lesson_list.h"
#include "safe_output.h"

#include <cstdio>

namespace hearvex::lessons {

namespace {

bool usableName(const QByteArray& name) {
    return !name.isEmpty() && !name.startsWith('.') && !name.contains('/') && !name.contains('\0');
}

// The longest file name of the set, `.import-NAME.lock`, must fit in a
// directory entry (255 bytes).
constexpr qsizetype kMaxNameBytes = 240;

bool writeFile(const QByteArray& path, const QByteArray& bytes) {
    FILE* handle = std::fopen(path.constData(), "wbe");
    if (!handle)
        return false;
    const bool ok =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), handle) == size_t(bytes.size());
    return (std::fclose(handle) == 0) && ok;
}

QString lateWarning(const ImportPlan& plan, const std::vector<size_t>& late, qint64 mediaEndMs) {
    const PlannedLesson& first = plan.lessons[late.front()];
    const QString which =
        late.size() == 1
            ? ImportText::tr("cue %1 at %2 starts").arg(first.cue).arg(clockText(first.cueStartMs))
            : ImportText::tr("%1 cues from cue %2 at %3 on start")
                  .arg(late.size())
                  .arg(first.cue)
                  .arg(clockText(first.cueStartMs));
    return ImportText::tr("%1 after the media's end (%2); skipped")
        .arg(which, clockText(mediaEndMs));
}

// The media or subtitles being imported, when they are among the lessons the
// import would replace: the replaced files are deleted once it is done.
QByteArray inputAmong(const ImportRequest& request, const QList<QByteArray>& replaced) {
    for (const QByteArray& file : replaced) {
        const QByteArray input =
            inputOverwrittenBy(request.folder + '/' + file, {request.media, request.subtitles});
        if (!input.isEmpty())
            return input;
    }
    return {};
}

} // namespace

QByteArray stagedClipName(size_t i) {
    return QByteArray::number(qulonglong(i)) + ".mp3";
}

std::optional<ImportResult> checkRequest(const ImportRequest& request, QByteArray* name) {
    *name = request.name.isEmpty() ? defaultLessonName(request.media) : request.name;
    if (request.folder.isEmpty())
        return importFailure(ImportOutcome::Failed, ImportText::tr("no lesson folder given"));
    if (!usableName(*name))
        return importFailure(
            ImportOutcome::Failed,
            ImportText::tr("\"%1\" cannot be a lesson name").arg(fileNameText(*name)));
    if (name->size() > kMaxNameBytes)
        return importFailure(ImportOutcome::Failed,
                             ImportText::tr("the lesson name \"%1\" is too long (at most %2 bytes)")
                                 .arg(fileNameText(*name))
                                 .arg(kMaxNameBytes));
    return std::nullopt;
}

std::optional<ImportResult> beginLessonSet(const ImportRequest& request, const QByteArray& name,
                                           LessonSet& set, QList<QByteArray>* replaced) {
    QString error;
    switch (set.begin(request.folder, name, &error)) {
    case LessonSet::Begin::Ready:
        break;
    case LessonSet::Begin::Busy:
        return importFailure(ImportOutcome::Busy, error);
    case LessonSet::Begin::Failed:
        return importFailure(ImportOutcome::Failed, error);
    }
    *replaced = lessonFilesNamed(request.folder, name);
    if (!replaced->isEmpty() && !request.replace)
        return importFailure(ImportOutcome::NameTaken,
                             ImportText::tr("%1 already holds lessons named %2 (%3...); nothing "
                                            "changed")
                                 .arg(fileNameText(request.folder), fileNameText(name),
                                      fileNameText(replaced->first())));
    if (const QByteArray input = inputAmong(request, *replaced); !input.isEmpty())
        return importFailure(ImportOutcome::Failed,
                             ImportText::tr("%1 is one of the lessons named %2 that the import "
                                            "would replace; import it under another name")
                                 .arg(fileNameText(input), fileNameText(name)));
    return std::nullopt;
}

CutClips cutClips(AudioDecoder& decoder, ImportPlan& plan, const LessonSet& set,
                  const ImportProgress& progress) {
    CutClips result;
    const ClipFormat format{decoder.sampleRate(), decoder.channels()};
    ClipCutter cutter(plan.lessons, format,
                      [&](size_t i) { return set.stagedPath(stagedClipName(i)); });
    ImportProgressInfo info;
    info.totalMs = decoder.durationMs();
    info.lessonsPlanned = static_cast<int>(plan.lessons.size());
    qint64 nextReport = 0; // reported about once a second of media, and at each clip
    bool cancelled = progress && !progress(info);
    QString error;
    const auto sink = [&](const float* const* planes, int frameCount) {
        const int before = cutter.clipsDone();
        if (!cutter.feed(planes, frameCount, &error))
            return false;
        if (progress && (cutter.positionFrames() >= nextReport || cutter.clipsDone() != before)) {
            nextReport = cutter.positionFrames() + format.sampleRate;
            info.doneMs = cutter.positionFrames() * 1000 / format.sampleRate;
            info.lessonsDone = cutter.clipsDone();
            cancelled = !progress(info);
        }
        return !cancelled;
    };
    const bool read = !cancelled && decoder.run(sink, &error);
    if (cancelled) {
        result.failure =
            importFailure(ImportOutcome::Cancelled, ImportText::tr("cancelled; nothing changed"));
        return result;
    }
    if (!read || !error.isEmpty() || !cutter.finish(&error)) {
        result.failure = importFailure(ImportOutcome::Failed, error);
        return result;
    }
    result.mediaEndMs = cutter.positionFrames() * 1000 / format.sampleRate;
    for (const auto& [firstFrame, lastFrame] : cutter.cuts())
        result.clipStartMs.push_back(firstFrame * 1000 / format.sampleRate);
    std::vector<size_t> late; // sorted by start, so all at the tail
    for (size_t i = 0; i < plan.lessons.size(); ++i)
        (cutter.written()[i] ? result.kept : late).push_back(i);
    if (!late.empty())
        plan.warnings << lateWarning(plan, late, result.mediaEndMs);
    if (result.kept.empty())
        result.failure = importFailure(
            ImportOutcome::Failed,
            ImportText::tr("no cue lies within the media's %1").arg(clockText(result.mediaEndMs)));
    return result;
}

ImportResult commitLessons(const ImportRequest& request, const QByteArray& name,
                           const ImportPlan& plan, const CutClips& clips, LessonSet& set,
                           const QList<QByteArray>& replaced) {
    const int digits = std::max(3, int(QByteArray::number(qulonglong(clips.kept.size())).size()));
    ImportResult result;
    QList<QByteArray> files;
    for (size_t n = 0; n < clips.kept.size(); ++n) {
        const size_t i = clips.kept[n];
        const PlannedLesson& lesson = plan.lessons[i];
        const QByteArray recording =
            name + '-' + QByteArray::number(qulonglong(n + 1)).rightJustified(digits, '0') + ".txt";
        const QByteArray text = textFileNameBytes(recording);
        const QByteArray words = wordTimesFileName(recording);
        QString error;
        if (!writeFile(set.stagedPath(text), lesson.text) ||
            (!lesson.words.empty() &&
             !writeWordTimes(set.stagedPath(words), wordsInClip(lesson.words, clips.clipStartMs[i]),
                             &error)) ||
            std::rename(set.stagedPath(stagedClipName(i)).constData(),
                        set.stagedPath(recording).constData()) != 0)
            return importFailure(
                ImportOutcome::Failed,
                ImportText::tr("cannot write in %1").arg(fileNameText(request.folder)));
        files << recording << text;
        if (!lesson.words.empty())
            files << words;
        result.lessons << fileNameText(recording);
        if (alignmentUncertain(lesson.words))
            result.uncertain << fileNameText(recording);
    }
    QString error;
    if (!set.commit(files, replaced, &error))
        return importFailure(ImportOutcome::Failed, error);
    result.outcome = ImportOutcome::Done;
    result.folder = fileNameText(request.folder);
    result.warnings = plan.warnings;
    return result;
}

} // namespace hearvex::lessons
