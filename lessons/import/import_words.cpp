#include "import_words.h"

#include "import_text.h"
#include "phrase_plan.h"

namespace hearvex::lessons {

std::optional<ImportResult> findWordsOfPlan(const ImportRequest& request, ImportPlan& plan,
                                            const ImportProgress& progress) {
    if (!request.findWords)
        return std::nullopt;
    ImportProgressInfo info; // the bar fills once while words are found, again while cutting
    info.totalMs = 1000;
    info.lessonsPlanned = int(plan.lessons.size());
    info.findingWords = true;
    const WordSearchResult result =
        request.findWords(request.media, wordSearches(plan), [&](double fraction) {
            info.doneMs = qint64(std::clamp(fraction, 0.0, 1.0) * 1000);
            return !progress || progress(info);
        });
    if (result.cancelled)
        return importFailure(ImportOutcome::Cancelled,
                             ImportText::tr("cancelled; nothing changed"));
    if (!result.error.isEmpty()) {
        plan.warnings << ImportText::tr("no word times: %1").arg(result.error);
        return std::nullopt;
    }
    planPhrases(plan, result.found, request.phrases);
    return std::nullopt;
}

WordTimes wordsInClip(const WordTimes& words, qint64 clipStartMs) {
    WordTimes inClip = words;
    for (TimedWord& word : inClip) {
        word.startMs = std::max<qint64>(0, word.startMs - clipStartMs);
        word.endMs = std::max(word.startMs, word.endMs - clipStartMs);
    }
    return inClip;
}

} // namespace hearvex::lessons
