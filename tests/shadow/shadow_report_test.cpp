#include "shadow_report.h"
#include "take_lanes.h"
#include "take_store.h"
#include "test_signals.h"

#include <gtest/gtest.h>

namespace {

using namespace hearvex::shadow;
using hearvex::lessons::WordTimes;

ShadowReport sampleReport() {
    ShadowReport report;
    TakeAnalysis& a = report.analysis;
    a.words = {{"Good", Verdict::Said, 0.91, 520, 800, Pace::Usual, false},
               {"morning,", Verdict::Missed, 0, 0, 0, Pace::Unknown, false},
               {"Mr.", Verdict::Unclear, 0.42, 1400, 1650, Pace::Slow, true},
               {"Brown.", Verdict::Said, 0.88, 1700, 2100, Pace::Fast, false}};
    a.score = 61;
    a.tempo = 1.25;
    a.thisSentence = true;
    report.model = {{300, 560, 1, "Good"},
                    {600, 1000, 1, "morning,"},
                    {1050, 1200, 1, "Mr."},
                    {1250, 1600, 1, "Brown."}};
    return report;
}

TEST(ShadowReport, TsvIsOneLinePerWordThenTheScore) {
    const QByteArray tsv = formatReport(sampleReport(), false);
    EXPECT_EQ(tsv, "Good\tsaid\t0.52\t0.80\n"
                   "morning,\tmissed\t\t\n"
                   "Mr.\tunclear\t1.40\t1.65\n"
                   "Brown.\tsaid\t1.70\t2.10\n"
                   "score\t61\n");
}

TEST(ShadowReport, DetailsReadBackAsWritten) {
    const ShadowReport original = sampleReport();
    const std::optional<ShadowReport> back = parseReport(formatReport(original, true));
    ASSERT_TRUE(back.has_value());
    ASSERT_EQ(back->analysis.words.size(), original.analysis.words.size());
    for (size_t i = 0; i < original.analysis.words.size(); ++i) {
        const WordResult& w = back->analysis.words[i];
        const WordResult& o = original.analysis.words[i];
        EXPECT_EQ(w.text, o.text);
        EXPECT_EQ(w.verdict, o.verdict);
        EXPECT_EQ(w.startMs, o.startMs);
        EXPECT_EQ(w.endMs, o.endMs);
        EXPECT_NEAR(w.confidence, o.confidence, 0.005);
        EXPECT_EQ(w.pace, o.pace);
        EXPECT_EQ(w.pauseBefore, o.pauseBefore);
    }
    EXPECT_EQ(back->analysis.score, 61);
    EXPECT_NEAR(back->analysis.tempo, 1.25, 0.001);
    ASSERT_EQ(back->model.size(), 4u);
    EXPECT_EQ(back->model[1].startMs, 600);
    EXPECT_EQ(back->model[3].text, "Brown.");
}

TEST(ShadowReport, RefusesWhatIsNoReport) {
    for (const char* text : {"", "hello\n", "Good\tsaid\t0.5\t0.8\n",         // no score
                             "Good\tshouted\t0.5\t0.8\t0.9\t\t\nscore\t50\n", // no such verdict
                             "Good\tsaid\tsoon\t0.8\t0.9\t\t\nscore\t50\n",   // no time
                             "score\tmany\n", "score\t50\nGood\tsaid\t0\t1\t1\t\t\n"}) {
        EXPECT_FALSE(parseReport(text).has_value()) << text;
    }
}

TEST(TakeLanes, TheModelIsCutToItsSentenceAndMarked) {
    const ShadowReport report = sampleReport();
    const std::vector<float> clip(size_t(5 * kTakeRate), 0.1f);
    const Lane lane = modelLane(clip, report.model, report.analysis);
    // 300 ms before the first word to 300 ms after the last: 0.0 .. 1.9 s.
    EXPECT_EQ(lane.samples.size(), size_t(1.9 * kTakeRate));
    ASSERT_EQ(lane.words.size(), 4u);
    EXPECT_EQ(lane.words[0].startMs, 300);
    EXPECT_EQ(lane.words[1].mark, WordMark::Missed);
    EXPECT_EQ(lane.words[2].mark, WordMark::Unclear);
    EXPECT_EQ(lane.words[3].mark, WordMark::None);

    const Lane unknown = modelLane(clip, {}, {});
    EXPECT_EQ(unknown.samples.size(), clip.size()); // the whole clip when its words are unknown
}

TEST(TakeLanes, TheTakePlacesTheWordsFoundAndListsTheMissed) {
    const ShadowReport report = sampleReport();
    const Lane lane = takeLane(std::vector<float>(size_t(3 * kTakeRate)), report.analysis);
    ASSERT_EQ(lane.words.size(), 3u);
    EXPECT_EQ(lane.words[0].mark, WordMark::None);
    EXPECT_EQ(lane.words[1].mark, WordMark::Unclear);
    EXPECT_EQ(lane.words[2].mark, WordMark::Fast);
    EXPECT_EQ(lane.unplaced, QStringList{"morning,"});
}

TEST(TakeLanes, SpanStaysInsideTheClip) {
    struct Case {
        WordTimes words;
        qint64 clipMs, start, end;
    };
    const Case cases[] = {
        {{{100, 400, 1, "a"}}, 1000, 0, 700},
        {{{800, 990, 1, "a"}}, 1000, 500, 1000},
        {{}, 1000, 0, 1000},
        {{{2000, 2500, 1, "a"}}, 1000, 1000, 1000}, // times past a short clip
    };
    for (const Case& c : cases) {
        const Span span = sentenceSpan(c.words, c.clipMs);
        EXPECT_EQ(span.startMs, c.start);
        EXPECT_EQ(span.endMs, c.end);
    }
}

} // namespace
