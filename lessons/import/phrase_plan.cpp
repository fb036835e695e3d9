#include "phrase_plan.h"

#include "import_text.h"
#include "lesson_file.h"

#include <algorithm>

namespace hearvex::lessons {

namespace {

// Phrase j of a lesson: its words and text, its clip's edges in the pauses
// between it and its neighbours, the sentence's own edges at either end.
PlannedLesson phraseOf(const PlannedLesson& whole, const std::vector<Phrase>& phrases, size_t j) {
    const WordTimes& words = whole.words;
    const Phrase& p = phrases[j];
    const bool first = j == 0, last = j + 1 == phrases.size();
    PlannedLesson lesson;
    lesson.cue = whole.cue;
    lesson.phrase = int(j + 1);
    lesson.cueStartMs = first ? whole.cueStartMs : words[p.first].startMs;
    lesson.cueEndMs = last ? whole.cueEndMs : words[p.end - 1].endMs;
    const ClipSpans between =
        pauseSpans(first ? kNoNeighbour : words[p.first - 1].endMs, lesson.cueStartMs,
                   lesson.cueEndMs, last ? kNoNeighbour : words[p.end].startMs);
    lesson.spans.start = first ? whole.spans.start : between.start;
    lesson.spans.end = last ? whole.spans.end : between.end;
    lesson.sentence = phraseText(whole.sentence, words, p);
    lesson.text = encipherLessonText(lesson.sentence);
    lesson.words.assign(words.begin() + qsizetype(p.first), words.begin() + qsizetype(p.end));
    return lesson;
}

} // namespace

std::vector<WordSearch> wordSearches(const ImportPlan& plan) {
    std::vector<WordSearch> searches;
    for (const PlannedLesson& lesson : plan.lessons)
        searches.push_back({lesson.sentence, lesson.cueStartMs, lesson.cueEndMs});
    return searches;
}

void planPhrases(ImportPlan& plan, const std::vector<FoundWords>& found,
                 const PhraseLimits& limits) {
    std::vector<PlannedLesson> lessons;
    for (size_t i = 0; i < plan.lessons.size(); ++i) {
        PlannedLesson& lesson = plan.lessons[i];
        if (i >= found.size() || !found[i].matched || found[i].words.empty()) {
            plan.warnings << ImportText::tr("cue %1 at %2: its words were not heard there; the "
                                            "lesson has no word times")
                                 .arg(lesson.cue)
                                 .arg(clockText(lesson.cueStartMs));
            lessons.push_back(std::move(lesson));
            continue;
        }
        lesson.words = found[i].words;
        const std::vector<Phrase> phrases = splitIntoPhrases(lesson.words, limits);
        if (phrases.size() < 2) {
            lessons.push_back(std::move(lesson));
            continue;
        }
        for (size_t j = 0; j < phrases.size(); ++j)
            lessons.push_back(phraseOf(lesson, phrases, j));
    }
    // The cutter takes clips in the order of their starts; a phrase of a cue
    // that overlaps the next may start after it.
    std::stable_sort(lessons.begin(), lessons.end(),
                     [](const auto& a, const auto& b) { return a.cueStartMs < b.cueStartMs; });
    plan.lessons = std::move(lessons);
}

} // namespace hearvex::lessons
