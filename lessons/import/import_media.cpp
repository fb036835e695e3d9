#include "import_media.h"

#include "audio_decoder.h"
#include "clip_cutter.h"
#include "import_plan.h"
#include "lesson_file.h"
#include "lesson_staging.h"
#include "subtitle_reader.h"

#include <QFileInfo>

namespace hearvex::lessons {

namespace {

ImportResult failure(ImportOutcome outcome, const QString& message) {
    ImportResult result;
    result.outcome = outcome;
    result.message = message;
    return result;
}

// The subtitles asked for, else those beside the media, else those inside it.
SubtitleRead readCues(const ImportRequest& request) {
    if (!request.subtitles.isEmpty())
        return readSubtitleFile(request.subtitles);
    if (const QString beside = siblingSubtitleFile(request.media); !beside.isEmpty())
        return readSubtitleFile(beside);
    return readEmbeddedSubtitles(request.media);
}

bool usableName(const QString& name) {
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.')) &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

// Texts over the format's limit cannot be lessons; the rest are enciphered now,
// so nothing is left to fail once the recordings are cut.
std::vector<QByteArray> encipherTexts(ImportPlan& plan) {
    std::vector<QByteArray> texts;
    std::vector<PlannedLesson> kept;
    for (const PlannedLesson& lesson : plan.lessons) {
        const QByteArray bytes = lessons::encipherLessonText(lesson.sentence);
        if (bytes.isEmpty() || bytes.size() > lessons::kMaxLessonTextBytes) {
            plan.warnings << QStringLiteral("cue %1 at %2: its text is too long for a lesson; "
                                            "skipped")
                                 .arg(lesson.cue)
                                 .arg(clockText(lesson.cueStartMs));
            continue;
        }
        kept.push_back(lesson);
        texts.push_back(bytes);
    }
    plan.lessons = std::move(kept);
    return texts;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

QString defaultLessonName(const QString& media) {
    return QFileInfo(media).completeBaseName();
}

ImportResult importMedia(const ImportRequest& request, const ImportProgress& progress) {
    const QString name = request.name.isEmpty() ? defaultLessonName(request.media) : request.name;
    if (request.folder.isEmpty())
        return failure(ImportOutcome::Failed, QStringLiteral("no lesson folder given"));
    if (!usableName(name))
        return failure(ImportOutcome::Failed,
                       QStringLiteral("\"%1\" cannot be a lesson name").arg(name));

    AudioDecoder decoder;
    QString error;
    if (!decoder.open(request.media, &error))
        return failure(ImportOutcome::Failed, error);

    SubtitleRead subtitles = readCues(request);
    if (!subtitles.found)
        return failure(ImportOutcome::NoSubtitles,
                       QStringLiteral("%1: no subtitles (none given, none beside it with the "
                                      "same name, none inside it)")
                           .arg(request.media));
    if (!subtitles.error.isEmpty())
        return failure(ImportOutcome::Failed, subtitles.error);
    ImportPlan plan = planLessons(std::move(subtitles.cues));
    const std::vector<QByteArray> texts = encipherTexts(plan);
    if (plan.lessons.empty())
        return failure(ImportOutcome::Failed,
                       QStringLiteral("the subtitles hold no cue with text"));

    const QStringList existing = lessonFilesNamed(request.folder, name);
    if (!existing.isEmpty() && !request.replace)
        return failure(ImportOutcome::NameTaken,
                       QStringLiteral("%1 already holds lessons named %2 (%3...); nothing changed")
                           .arg(request.folder, name, existing.first()));

    LessonStaging staging;
    if (!staging.begin(request.folder, &error))
        return failure(ImportOutcome::Failed, error);

    const ClipFormat format{decoder.sampleRate(), decoder.channels()};
    const auto clipName = [](size_t i) { return QStringLiteral("%1.mp3").arg(i); };
    ClipCutter cutter(plan.lessons, format,
                      [&](size_t i) { return staging.stagedPath(clipName(i)); });
    ImportProgressInfo info;
    info.totalMs = decoder.durationMs();
    info.lessonsPlanned = static_cast<int>(plan.lessons.size());
    const qint64 reportEveryFrames = format.sampleRate; // a second of media
    qint64 nextReport = 0;
    bool cancelled = progress && !progress(info);
    const auto report = [&] {
        info.doneMs = cutter.positionFrames() * 1000 / format.sampleRate;
        info.lessonsDone = cutter.clipsDone();
        cancelled = !progress(info);
    };
    const bool read =
        !cancelled && decoder.run(
                          [&](const float* const* planes, int frameCount) {
                              const int before = cutter.clipsDone();
                              if (!cutter.feed(planes, frameCount, &error))
                                  return false;
                              if (progress && (cutter.positionFrames() >= nextReport ||
                                               cutter.clipsDone() != before)) {
                                  nextReport = cutter.positionFrames() + reportEveryFrames;
                                  report();
                              }
                              return !cancelled;
                          },
                          &error);
    if (cancelled)
        return failure(ImportOutcome::Cancelled, QStringLiteral("cancelled; nothing changed"));
    if (!read || !error.isEmpty() || !cutter.finish(&error))
        return failure(ImportOutcome::Failed, QStringLiteral("%1: %2").arg(request.media, error));

    const qint64 mediaEndMs = cutter.positionFrames() * 1000 / format.sampleRate;
    std::vector<size_t> kept;
    std::vector<size_t> late; // sorted by start, so all at the tail
    for (size_t i = 0; i < plan.lessons.size(); ++i)
        (cutter.written()[i] ? kept : late).push_back(i);
    if (!late.empty()) {
        const PlannedLesson& first = plan.lessons[late.front()];
        const QString which = late.size() == 1
                                  ? QStringLiteral("cue %1 at %2 starts")
                                        .arg(first.cue)
                                        .arg(clockText(first.cueStartMs))
                                  : QStringLiteral("%1 cues from cue %2 at %3 on start")
                                        .arg(late.size())
                                        .arg(first.cue)
                                        .arg(clockText(first.cueStartMs));
        plan.warnings << QStringLiteral("%1 after the media's end (%2); skipped")
                             .arg(which, clockText(mediaEndMs));
    }
    if (kept.empty())
        return failure(
            ImportOutcome::Failed,
            QStringLiteral("no cue lies within the media's %1").arg(clockText(mediaEndMs)));

    const int digits = std::max(3, static_cast<int>(QString::number(kept.size()).size()));
    ImportResult result;
    std::vector<std::pair<QString, QString>> files;
    for (size_t n = 0; n < kept.size(); ++n) {
        const size_t i = kept[n];
        const QString recording =
            QStringLiteral("%1-%2.txt").arg(name).arg(n + 1, digits, 10, QLatin1Char('0'));
        const QString textName = QStringLiteral("%1.kvx").arg(i);
        if (!writeFile(staging.stagedPath(textName), texts[i]))
            return failure(ImportOutcome::Failed,
                           QStringLiteral("cannot write in %1").arg(request.folder));
        files.emplace_back(clipName(i), recording);
        files.emplace_back(textName, lessons::textFileName(recording));
        result.lessons << recording;
    }
    if (!staging.commit(files, existing, &error))
        return failure(ImportOutcome::Failed, error);

    if (progress) {
        info.doneMs = mediaEndMs;
        info.totalMs = mediaEndMs;
        info.lessonsDone = static_cast<int>(kept.size());
        progress(info); // the import is committed: too late to cancel
    }
    result.outcome = ImportOutcome::Done;
    result.folder = request.folder;
    result.warnings = plan.warnings;
    return result;
}

} // namespace hearvex::lessons
