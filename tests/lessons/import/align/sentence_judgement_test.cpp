// Which sentences of a transcript count as said, whether the transcript is
// refused, and where the cues of the said ones start and end.
#include "sentence_edges.h"
#include "sentence_matcher.h"

#include <gtest/gtest.h>

using namespace hearvex::lessons;

namespace {

// A sentence heard from..to seconds, or not heard (from < 0).
FoundSentence heard(double from, double to) {
    FoundSentence s;
    s.words.matched = from >= 0;
    s.words.startMs = qint64(from * 1000);
    s.words.endMs = qint64(to * 1000);
    return s;
}

TEST(SentenceJudgement, KeepsLeavesOutOrRefuses) {
    struct Case {
        const char* name;
        std::vector<FoundSentence> found;
        TranscriptVerdict verdict;
        std::vector<int> leftOut;
    };
    const FoundSentence no = heard(-1, -1);
    const Case cases[] = {
        {"all in order", {heard(0, 2), heard(2.5, 4), heard(5, 6)}, TranscriptVerdict::AllSaid, {}},
        {"edges touching a little", {heard(0, 2), heard(1.9, 4)}, TranscriptVerdict::AllSaid, {}},
        {"a title not read", {no, heard(0, 2), heard(3, 4)}, TranscriptVerdict::PartlySaid, {0}},
        {"a skipped line", {heard(0, 2), no, heard(3, 4)}, TranscriptVerdict::PartlySaid, {1}},
        {"most not read", {heard(0, 2), no, no}, TranscriptVerdict::NotThisRecording, {1, 2}},
        {"second half not read",
         {heard(0, 2), heard(3, 4), no, no},
         TranscriptVerdict::PartlySaid,
         {2, 3}},
        {"nothing heard", {no, no, no}, TranscriptVerdict::NotThisRecording, {0, 1, 2}},
        {"two the other way round",
         {heard(0, 2), heard(6, 8), heard(3, 5), heard(9, 10)},
         TranscriptVerdict::OutOfOrder,
         {}},
        {"no sentences", {}, TranscriptVerdict::NotThisRecording, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SentenceJudgement j = judgeSentences(c.found);
        EXPECT_EQ(j.verdict, c.verdict);
        EXPECT_EQ(j.leftOut, c.leftOut);
    }
    EXPECT_EQ(judgeSentences(cases[7].found).misordered, (std::pair<int, int>{1, 2}));
}

TEST(SentenceEdges, CuesReachIntoThePausesButNotIntoSpeech) {
    struct Case {
        const char* name;
        std::vector<SpeechSpan> spans;
        qint64 durationMs;
        std::vector<std::pair<qint64, qint64>> cues;
    };
    const Case cases[] = {
        {"long pauses: the lead at most",
         {{1000, 2000}, {4000, 5000}},
         9000,
         {{600, 2400}, {3600, 5400}}},
        {"short pause: half each", {{1000, 2000}, {2200, 3000}}, 3100, {{600, 2100}, {2100, 3100}}},
        {"speech at the very start and end", {{0, 1000}}, 1000, {{0, 1000}}},
        {"joined with no pause", {{500, 1500}, {1500, 2500}}, 2600, {{100, 1500}, {1500, 2600}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::pair<qint64, qint64>> got;
        for (const CueSpan& cue : cueSpans(c.spans, c.durationMs))
            got.push_back({cue.startMs, cue.endMs});
        EXPECT_EQ(got, c.cues);
    }
}

} // namespace
