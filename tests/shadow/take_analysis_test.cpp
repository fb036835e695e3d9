#include "take_analysis.h"

#include <gtest/gtest.h>

namespace {

using namespace hearvex::shadow;
using hearvex::lessons::TimedWord;
using hearvex::lessons::WordTimes;

// "The cat sat on the mat." as the model says it: words of 300 ms, 50 ms
// apart, a 400 ms pause after "sat" (between two phrases).
WordTimes modelTimes() {
    WordTimes words;
    qint64 at = 200;
    for (const char* text : {"The", "cat", "sat", "on", "the", "mat."}) {
        words.push_back({at, at + 300, 0.9, QString::fromLatin1(text)});
        at += QLatin1String(text) == QLatin1String("sat") ? 700 : 350;
    }
    return words;
}

// The take: the model's times stretched by tempo and shifted, then edited.
AlignedTake takeOf(double tempo, qint64 shift = 500) {
    AlignedTake take;
    take.matched = true;
    take.confidence = 0.9;
    for (const TimedWord& w : modelTimes())
        take.words.push_back({qint64(double(w.startMs) * tempo) + shift,
                              qint64(double(w.endMs) * tempo) + shift, 0.9, w.text});
    return take;
}

void leaveOut(AlignedTake& take, size_t word) {
    take.words[word].endMs = take.words[word].startMs;
    take.words[word].confidence = 0;
}

struct Expect {
    const char* name;
    AlignedTake take;
    std::vector<Verdict> verdicts;
    int slowOrFast; // words said at another pace
    int pauses;     // pauses put inside a phrase
    bool thisSentence;
    int lowest, highest; // the score's range
};

constexpr Verdict S = Verdict::Said;
constexpr Verdict M = Verdict::Missed;
constexpr Verdict U = Verdict::Unclear;

std::vector<Expect> cases() {
    std::vector<Expect> all;
    all.push_back(
        {"said as the model said it", takeOf(1.0), {S, S, S, S, S, S}, 0, 0, true, 100, 100});
    all.push_back({"said slower throughout is still in time",
                   takeOf(1.6),
                   {S, S, S, S, S, S},
                   0,
                   0,
                   true,
                   100,
                   100});
    AlignedTake missed = takeOf(1.0);
    leaveOut(missed, 3);
    all.push_back({"one word left out", missed, {S, S, S, M, S, S}, 0, 0, true, 80, 85});
    AlignedTake unclear = takeOf(1.0);
    unclear.words[1].confidence = 0.2;
    all.push_back({"one word unclear", unclear, {S, U, S, S, S, S}, 0, 0, true, 90, 93});
    AlignedTake dragged = takeOf(1.0);
    dragged.words[5].endMs += 600; // "mat." drawn out to three times its length
    all.push_back({"one word drawn out", dragged, {S, S, S, S, S, S}, 1, 0, true, 95, 97});
    AlignedTake broken = takeOf(1.0);
    for (size_t i = 1; i < broken.words.size(); ++i) {
        broken.words[i].startMs += 500; // a pause inside "The cat sat"
        broken.words[i].endMs += 500;
    }
    all.push_back({"a pause inside a phrase", broken, {S, S, S, S, S, S}, 0, 1, true, 95, 98});
    AlignedTake betweenPhrases = takeOf(1.0);
    for (size_t i = 3; i < betweenPhrases.words.size(); ++i) {
        betweenPhrases.words[i].startMs += 500; // a longer pause where the model pauses
        betweenPhrases.words[i].endMs += 500;
    }
    all.push_back({"a longer pause between phrases",
                   betweenPhrases,
                   {S, S, S, S, S, S},
                   0,
                   0,
                   true,
                   100,
                   100});
    AlignedTake mostlyMissed = takeOf(1.0);
    for (size_t i : {0, 1, 2, 4, 5})
        leaveOut(mostlyMissed, i);
    all.push_back({"one word of six is not this sentence",
                   mostlyMissed,
                   {M, M, M, S, M, M},
                   0,
                   0,
                   false,
                   0,
                   0});
    AlignedTake unmatched = takeOf(1.0);
    unmatched.matched = false;
    all.push_back({"the aligner did not hear the sentence",
                   unmatched,
                   {S, S, S, S, S, S},
                   0,
                   0,
                   false,
                   0,
                   0});
    return all;
}

TEST(TakeAnalysis, JudgesEachWordAndTheTiming) {
    for (const Expect& c : cases()) {
        SCOPED_TRACE(c.name);
        const TakeAnalysis result = analyseTake(c.take, modelTimes());
        ASSERT_EQ(result.words.size(), c.verdicts.size());
        int offPace = 0;
        int pauses = 0;
        for (size_t i = 0; i < c.verdicts.size(); ++i) {
            EXPECT_EQ(result.words[i].verdict, c.verdicts[i]) << i;
            offPace += result.words[i].pace == Pace::Slow || result.words[i].pace == Pace::Fast;
            pauses += result.words[i].pauseBefore;
        }
        EXPECT_EQ(offPace, c.slowOrFast);
        EXPECT_EQ(pauses, c.pauses);
        EXPECT_EQ(result.thisSentence, c.thisSentence);
        EXPECT_GE(result.score, c.lowest);
        EXPECT_LE(result.score, c.highest);
    }
}

TEST(TakeAnalysis, WordsKeepTheirPlaceInTheTake) {
    AlignedTake take = takeOf(1.0, 1000);
    leaveOut(take, 2);
    const TakeAnalysis result = analyseTake(take, modelTimes());
    EXPECT_EQ(result.words[0].startMs, 1200);
    EXPECT_EQ(result.words[0].endMs, 1500);
    EXPECT_EQ(result.words[2].startMs, 0); // missed: no place
    EXPECT_EQ(result.words[2].endMs, 0);
    EXPECT_EQ(result.missedWords(), QStringList{"sat"});
    EXPECT_NEAR(result.tempo, 1.0, 0.01);
}

TEST(TakeAnalysis, WithoutModelTimesOnlyTheWordsCount) {
    AlignedTake take = takeOf(1.0);
    take.words[5].endMs += 2000; // would be slow against a model
    leaveOut(take, 0);
    const TakeAnalysis result = analyseTake(take, {});
    EXPECT_EQ(result.tempo, 0);
    for (const WordResult& word : result.words)
        EXPECT_EQ(word.pace, Pace::Unknown);
    EXPECT_EQ(result.score, 83); // 5 of 6
}

TEST(TakeAnalysis, VerdictNamesAsTheToolPrintsThem) {
    EXPECT_EQ(verdictName(Verdict::Said), "said");
    EXPECT_EQ(verdictName(Verdict::Missed), "missed");
    EXPECT_EQ(verdictName(Verdict::Unclear), "unclear");
}

} // namespace

namespace {

// The second look at skipped words, on "The cat sat on the mat.".
struct PassCase {
    const char* name;
    std::vector<double> first;  // per word: confidence in the first pass; -1 skipped
    double firstSentence;       // the first pass's sentence confidence
    std::vector<double> forced; // per word in the forced pass; empty: it found no path
    double forcedSentence;
    std::vector<Verdict> verdicts;
    bool thisSentence;
};

AlignedTake passOf(const std::vector<double>& confidences, double sentence) {
    AlignedTake take;
    take.confidence = sentence;
    take.matched = sentence >= 0.5;
    qint64 at = 0;
    for (size_t i = 0; i < confidences.size(); ++i, at += 300) {
        const bool heard = confidences[i] >= 0;
        take.words.push_back(
            {at, heard ? at + 250 : at, heard ? confidences[i] : 0, modelTimes()[i].text});
    }
    return take;
}

TEST(TakeAnalysis, ASkippedWordGetsASecondLook) {
    const std::vector<double> none;
    const PassCase cases[] = {
        {"skipped but clear when forced",
         {0.9, 0.9, -1, 0.9, 0.8, 0.9},
         0.7,
         {0.9, 0.9, 0.8, 0.9, 0.8, 0.9},
         0.8,
         {S, S, S, S, S, S},
         true},
        {"skipped and squeezed in when forced",
         {0.9, 0.9, -1, 0.9, 0.8, 0.9},
         0.6,
         {0.9, 0.9, 0.05, 0.9, 0.8, 0.9},
         0.5,
         {S, S, M, S, S, S},
         true},
        {"skipped, clear when forced, but only on its neighbours' frames",
         {0.9, 0.9, -1, 0.9, 0.8, 0.9},
         0.7,
         {0.9, 0.5, 0.8, 0.4, 0.8, 0.9},
         0.6,
         {S, S, M, S, S, S},
         true},
        {"a doubtful first pass, every word forced",
         {0.9, 0.2, 0.9, 0.9, 0.1, 0.9},
         0.4,
         {0.9, 0.7, 0.9, 0.9, 0.2, 0.9},
         0.45,
         {S, S, S, S, U, S},
         true},
        {"doubtful, no forced path, most words found",
         {0.9, 0.9, -1, 0.9, 0.8, 0.9},
         0.25,
         none,
         0,
         {S, S, M, S, S, S},
         true},
        {"doubtful, no forced path, half the words found",
         {0.9, -1, -1, 0.9, -1, 0.9},
         0.4,
         none,
         0,
         {S, M, M, S, M, S},
         false},
        {"another sentence: no forced path, unsure",
         {0.8, -1, 0.25, -1, 0.9, -1},
         0.05,
         none,
         0,
         {S, M, U, M, S, M},
         false},
    };
    for (const PassCase& c : cases) {
        SCOPED_TRACE(c.name);
        const AlignedTake forced = passOf(c.forced, c.forcedSentence);
        const AlignedTake judged =
            judgePasses(passOf(c.first, c.firstSentence), c.forced.empty() ? nullptr : &forced);
        const TakeAnalysis result = analyseTake(judged, {});
        for (size_t i = 0; i < c.verdicts.size(); ++i)
            EXPECT_EQ(result.words[i].verdict, c.verdicts[i]) << i;
        EXPECT_EQ(result.thisSentence, c.thisSentence);
    }
}

TEST(TakeAnalysis, SkippedWordsAreForcedWithTheWordsFound) {
    const AlignedTake take = passOf({0.9, -1, 0.9, -1, 0.8, 0.9}, 0.6);
    EXPECT_EQ(skippedWords(take), (std::vector<size_t>{1, 3}));
    size_t at = 99;
    EXPECT_EQ(withWordAdded(take, 1, &at), "The cat sat the mat.");
    EXPECT_EQ(at, 1u);
    EXPECT_EQ(withWordAdded(take, 3, &at), "The sat on the mat.");
    EXPECT_EQ(at, 2u);
    EXPECT_FALSE(everyWordFound(take));
    EXPECT_TRUE(everyWordFound(passOf({0.1, 0.1, 0.1, 0.1, 0.1, 0.1}, 0.1)));
    EXPECT_FALSE(everyWordFound(AlignedTake{}));
    EXPECT_FALSE(everyWordClear(passOf({0.9, 0.9, 0.9, 0.2, 0.9, 0.9}, 0.8)));
    EXPECT_TRUE(everyWordClear(passOf({0.9, 0.9, 0.9, 0.3, 0.9, 0.9}, 0.8)));

    // "The sat on the mat." forced: back in the sentence's places, "cat" and
    // "on" without one; the words found lost 0.2 to make room for "mat".
    const AlignedTake again = againInPlace(take, 3, passOf({0.7, 0.9, 0.6, 0.8, 0.9}, 0.7));
    ASSERT_EQ(again.words.size(), 6u);
    const std::vector<double> placed{0.7, 0, 0.9, 0.6, 0.8, 0.9};
    for (size_t i = 0; i < placed.size(); ++i) {
        EXPECT_EQ(again.words[i].text, take.words[i].text);
        EXPECT_EQ(again.words[i].endMs > again.words[i].startMs, i != 1) << i;
        EXPECT_DOUBLE_EQ(again.words[i].confidence, placed[i]) << i;
    }
    EXPECT_NEAR(displacement(take, again), 0.2, 1e-9);
    EXPECT_TRUE(rescuedBy(take, again, 3));
    AnalysisSettings strict;
    strict.rescueDisplacement = 0.1;
    EXPECT_FALSE(rescuedBy(take, again, 3, strict));
    EXPECT_FALSE(rescuedBy(take, again, 1)); // no place for it there
}

} // namespace
