#include "transcript_import.h"

#include "align_text.h"
#include "import_steps.h"
#include "lesson_list.h"
#include "lesson_set.h"
#include "subtitle_reader.h"

#include <algorithm>

namespace hearvex::lessons {

namespace {

ImportOutcome importOutcome(AlignmentOutcome outcome) {
    return outcome == AlignmentOutcome::Cancelled ? ImportOutcome::Cancelled
                                                  : ImportOutcome::Failed;
}

std::vector<Cue> cuesOf(const std::vector<AlignedSentence>& sentences) {
    std::vector<Cue> cues;
    for (const AlignedSentence& s : sentences)
        cues.push_back({s.startMs, s.endMs, s.text});
    return cues;
}

// The word times the alignment already found, for the lessons cut from its
// sentences: a search on a sentence's cue gets them without aligning again;
// any other (a cue whose text the cleaning changed) goes to the finder given.
WordFinder reusingAlignedWords(const std::vector<AlignedSentence>& sentences,
                               const WordFinder& finder) {
    return [sentences, finder](const QByteArray& media, const std::vector<WordSearch>& searches,
                               const WordSearchProgress& progress) {
        WordSearchResult result;
        std::vector<WordSearch> rest;
        std::vector<size_t> restAt;
        for (size_t i = 0; i < searches.size(); ++i) {
            const auto same = std::find_if(sentences.begin(), sentences.end(), [&](const auto& s) {
                return s.startMs == searches[i].fromMs && s.text == searches[i].sentence;
            });
            if (same != sentences.end() && !same->words.empty()) {
                result.found.push_back({true, same->words});
                continue;
            }
            result.found.emplace_back();
            rest.push_back(searches[i]);
            restAt.push_back(i);
        }
        if (rest.empty() || !finder)
            return result;
        const WordSearchResult more = finder(media, rest, progress);
        if (more.cancelled || !more.error.isEmpty() || more.found.size() != rest.size())
            return more;
        for (size_t i = 0; i < rest.size(); ++i)
            result.found[restAt[i]] = more.found[i];
        return result;
    };
}

} // namespace

ImportResult importTranscript(const ImportRequest& request, const QByteArray& transcript,
                              const TranscriptImportProgressFn& progress) {
    // Refused now rather than after minutes of aligning; the import checks again.
    QByteArray name;
    if (std::optional<ImportResult> failure = checkRequest(request, &name))
        return *failure;
    const QList<QByteArray> taken = lessonFilesNamed(request.folder, name);
    if (!taken.isEmpty() && !request.replace)
        return importFailure(ImportOutcome::NameTaken,
                             AlignText::tr("%1 already holds lessons named %2 (%3...); nothing "
                                           "changed")
                                 .arg(fileNameText(request.folder), fileNameText(name),
                                      fileNameText(taken.first())));
    const TranscriptAlignment aligned =
        alignTranscriptFile(request.media, transcript, [&](AlignmentStage stage, double f) {
            TranscriptImportProgress p;
            p.stage = stage == AlignmentStage::Sentences ? TranscriptImportStage::Sentences
                                                         : TranscriptImportStage::Alignment;
            p.fraction = f;
            return !progress || progress(p);
        });
    if (aligned.outcome != AlignmentOutcome::Done) {
        ImportResult failed;
        failed.outcome = importOutcome(aligned.outcome);
        failed.message = aligned.message;
        failed.warnings = aligned.warnings;
        return failed;
    }
    ImportRequest cutting = request;
    if (request.findWords)
        cutting.findWords = reusingAlignedWords(aligned.sentences, request.findWords);
    ImportResult result =
        importCues(cutting, cuesOf(aligned.sentences), [&](const ImportProgressInfo& info) {
            TranscriptImportProgress p;
            p.stage = TranscriptImportStage::Cutting;
            p.cut = info;
            p.fraction = info.totalMs > 0 ? double(info.doneMs) / double(info.totalMs) : 0;
            return !progress || progress(p);
        });
    result.warnings = aligned.warnings + aligned.leftOut + result.warnings;
    result.partial = result.outcome == ImportOutcome::Done && aligned.partial();
    return result;
}

QByteArray siblingTranscript(const QByteArray& media) {
    const qsizetype slash = media.lastIndexOf('/');
    const qsizetype dot = media.lastIndexOf('.');
    const QByteArray text = (dot > slash + 1 ? media.left(dot) : media) + ".txt";
    return text != media && isPlainTranscript(text) ? text : QByteArray();
}

ImportResult importDropped(const ImportRequest& request,
                           const TranscriptImportProgressFn& progress) {
    QByteArray transcript;
    if (!request.subtitles.isEmpty()) {
        if (isPlainTranscript(request.subtitles))
            transcript = request.subtitles;
    } else if (siblingSubtitleFile(request.media).isEmpty()) {
        transcript = siblingTranscript(request.media);
        if (!transcript.isEmpty() && readEmbeddedSubtitles(request.media).found)
            transcript.clear(); // the media's own subtitles come first
    }
    if (!transcript.isEmpty())
        return importTranscript(request, transcript, progress);
    return importMedia(request, [&](const ImportProgressInfo& info) {
        TranscriptImportProgress p;
        p.stage = TranscriptImportStage::Cutting;
        p.cut = info;
        p.fraction = info.totalMs > 0 ? double(info.doneMs) / double(info.totalMs) : 0;
        return !progress || progress(p);
    });
}

std::optional<ImportResult> importIfTranscript(const ImportRequest& request,
                                               const ImportProgress& progress) {
    if (request.subtitles.isEmpty() || !isPlainTranscript(request.subtitles))
        return std::nullopt;
    // One bar for the whole: the alignment fills it once, the cutting again.
    return importTranscript(request, request.subtitles, [&](const TranscriptImportProgress& p) {
        if (!progress)
            return true;
        if (p.stage == TranscriptImportStage::Cutting)
            return progress(p.cut);
        ImportProgressInfo info;
        info.totalMs = 1000;
        info.doneMs = qint64(p.fraction * 1000);
        return progress(info);
    });
}

} // namespace hearvex::lessons
