// The import's plan once its sentences' words are found: words attached,
// long sentences as phrase lessons cut in the pauses between them, sentences
// not heard kept whole without words.
#include "lesson_file.h"
#include "phrase_plan.h"

#include <gtest/gtest.h>

using namespace hearvex::lessons;

namespace {

// The words of a sentence as said from startMs: 250 ms each, 50 ms apart, and
// pauseMs before any word that follows a comma.
FoundWords said(const QString& sentence, qint64 startMs, qint64 pauseMs = 50) {
    FoundWords found;
    found.matched = true;
    qint64 at = startMs;
    for (const QString& text : sentence.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        found.words.push_back({at, at + 250, 0.9, text});
        at += 250 + (text.endsWith(QLatin1Char(',')) ? pauseMs : 50);
    }
    return found;
}

const QString kLong =
    QStringLiteral("When we got to the station, the last train had already gone, so we walked home "
                   "through the rain and talked about everything we had seen that day.");

} // namespace

TEST(PhrasePlan, SplitsOnlyTheLongSentenceAndCutsItsClipsBetweenItsPhrases) {
    ImportPlan plan = planLessons({{1000, 2500, QStringLiteral("A short one.")},
                                   {3000, 12000, kLong},
                                   {12500, 14000, QStringLiteral("Not heard here.")}});
    ASSERT_EQ(plan.lessons.size(), 3u);
    const std::vector<WordSearch> searches = wordSearches(plan);
    ASSERT_EQ(searches.size(), 3u);
    EXPECT_EQ(searches[1].sentence, kLong);
    EXPECT_EQ(searches[1].fromMs, 3000);
    EXPECT_EQ(searches[1].toMs, 12000);

    const ClipSpans sentenceSpans = plan.lessons[1].spans;
    const FoundWords longWords = said(kLong, 3100, 400);
    planPhrases(plan, {said(QStringLiteral("A short one."), 1100), longWords, FoundWords{}},
                {10, 8});

    const struct {
        int cue, phrase;
        const char* sentence;
        size_t words;
    } expected[] = {
        {1, 0, "A short one.", 3},
        {2, 1, "When we got to the station,", 6},
        {2, 2, "the last train had already gone,", 6},
        {2, 3, "so we walked home through the rain and", 8},
        {2, 4, "talked about everything we had seen that day.", 8},
        {3, 0, "Not heard here.", 0},
    };
    ASSERT_EQ(plan.lessons.size(), std::size(expected));
    for (size_t i = 0; i < plan.lessons.size(); ++i) {
        const PlannedLesson& lesson = plan.lessons[i];
        EXPECT_EQ(lesson.cue, expected[i].cue) << i;
        EXPECT_EQ(lesson.phrase, expected[i].phrase) << i;
        EXPECT_EQ(lesson.sentence, QString::fromUtf8(expected[i].sentence)) << i;
        EXPECT_EQ(lesson.text, encipherLessonText(lesson.sentence)) << i;
        EXPECT_EQ(lesson.words.size(), expected[i].words) << i;
    }
    // The sentence's own edges stay at its cue's; between phrases the end of one
    // and the start of the next are looked for in the pause between their words.
    EXPECT_EQ(plan.lessons[1].cueStartMs, 3000);
    EXPECT_EQ(plan.lessons[1].spans.start.fromMs, sentenceSpans.start.fromMs);
    EXPECT_EQ(plan.lessons[1].spans.start.toMs, sentenceSpans.start.toMs);
    EXPECT_EQ(plan.lessons[4].cueEndMs, 12000);
    EXPECT_EQ(plan.lessons[4].spans.end.fromMs, sentenceSpans.end.fromMs);
    EXPECT_EQ(plan.lessons[4].spans.end.toMs, sentenceSpans.end.toMs);
    for (size_t i = 1; i + 1 < 5; ++i) {
        const qint64 gapFrom = plan.lessons[i].words.back().endMs;
        const qint64 gapTo = plan.lessons[i + 1].words.front().startMs;
        EXPECT_EQ(plan.lessons[i].cueEndMs, gapFrom) << i;
        EXPECT_EQ(plan.lessons[i + 1].cueStartMs, gapTo) << i;
        EXPECT_GE(plan.lessons[i].spans.end.fromMs, gapFrom) << i;
        EXPECT_LE(plan.lessons[i].spans.end.toMs, gapTo) << i;
        EXPECT_GE(plan.lessons[i + 1].spans.start.fromMs, gapFrom) << i;
        EXPECT_LE(plan.lessons[i + 1].spans.start.toMs, gapTo) << i;
    }
    ASSERT_EQ(plan.warnings.size(), 1);
    EXPECT_TRUE(plan.warnings[0].contains(QStringLiteral("cue 3")))
        << plan.warnings[0].toStdString();
}

TEST(PhrasePlan, KeepsEverySentenceWholeWhenSplittingIsOffAndKeepsTheStartOrder) {
    // The second cue overlaps the first: its phrases may not start before the first's.
    ImportPlan plan = planLessons({{0, 9000, kLong}, {500, 2000, QStringLiteral("Over it.")}});
    ImportPlan whole = plan;
    planPhrases(whole, {said(kLong, 100, 400), said(QStringLiteral("Over it."), 600)}, {0, 8});
    ASSERT_EQ(whole.lessons.size(), 2u);
    EXPECT_EQ(whole.lessons[0].phrase, 0);
    EXPECT_EQ(whole.lessons[0].words.size(), 28u);

    planPhrases(plan, {said(kLong, 100, 400), said(QStringLiteral("Over it."), 600)}, {20, 8});
    ASSERT_EQ(plan.lessons.size(), 3u);
    for (size_t i = 1; i < plan.lessons.size(); ++i)
        EXPECT_LE(plan.lessons[i - 1].cueStartMs, plan.lessons[i].cueStartMs) << i;
    EXPECT_EQ(plan.lessons[1].sentence, QStringLiteral("Over it."));
    EXPECT_EQ(plan.lessons[2].phrase, 2);
    EXPECT_TRUE(plan.warnings.isEmpty());
}
