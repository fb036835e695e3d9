// The review schedule: FSRS-5's formulas against values worked out by hand
// from its published defaults, and the grade each attempt earns.
#include "fsrs.h"
#include "review_grade.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace hearvex::record;
using fsrs::Grade;

namespace {

constexpr double kTolerance = 1e-6;

QDateTime at(const char* iso) {
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

TEST(Fsrs, FirstReviewStartsFromTheDefaults) {
    struct Case {
        Grade grade;
        double stability, difficulty;
        int intervalDays;
    };
    // D0(G) = w4 - e^(w5 (G - 1)) + 1; S0(G) = w[G-1]; at 90 % the interval is S, rounded.
    const Case cases[] = {{Grade::Again, 0.40255, 7.1949, 1},
                          {Grade::Hard, 1.18385, 6.488305268471453, 1},
                          {Grade::Good, 3.173, 5.282434422319005, 3},
                          {Grade::Easy, 15.69105, 3.2245015893713678, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.grade));
        const fsrs::MemoryState state = fsrs::nextState(std::nullopt, 0, c.grade);
        EXPECT_NEAR(state.stability, c.stability, kTolerance);
        EXPECT_NEAR(state.difficulty, c.difficulty, kTolerance);
        EXPECT_EQ(fsrs::nextIntervalDays(state.stability), c.intervalDays);
    }
}

TEST(Fsrs, ReviewThreeDaysAfterAGoodStart) {
    // R = (1 + 19/81 * 3 / 3.173) ^ -0.5 = 0.904698...
    EXPECT_NEAR(fsrs::retrievability(3, 3.173), 0.9046982108893272, kTolerance);
    struct Case {
        Grade grade;
        double stability, difficulty;
        int intervalDays;
    };
    const Case cases[] = {{Grade::Again, 1.0555610912864883, 6.796932579932991, 1},
                          {Grade::Hard, 4.924511833379462, 6.0349502556102195, 5},
                          {Grade::Good, 10.73892584613159, 5.272967931287446, 11},
                          {Grade::Easy, 25.79360509476422, 4.510985606964673, 26}};
    const fsrs::MemoryState good = fsrs::nextState(std::nullopt, 0, Grade::Good);
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.grade));
        const fsrs::MemoryState state = fsrs::nextState(good, 3, c.grade);
        EXPECT_NEAR(state.stability, c.stability, kTolerance);
        EXPECT_NEAR(state.difficulty, c.difficulty, kTolerance);
        EXPECT_EQ(fsrs::nextIntervalDays(state.stability), c.intervalDays);
    }
}

TEST(Fsrs, SameDayAndAfterALapse) {
    // Same day: S' = S e^(w17 (G - 3 + w18)).
    const fsrs::MemoryState good = fsrs::nextState(std::nullopt, 0, Grade::Good);
    EXPECT_NEAR(fsrs::nextState(good, 0, Grade::Good).stability, 4.466858064362218, kTolerance);
    const fsrs::MemoryState again = fsrs::nextState(std::nullopt, 0, Grade::Again);
    EXPECT_NEAR(fsrs::nextState(again, 0, Grade::Good).stability, 0.5666983024925972, kTolerance);
    const fsrs::MemoryState next = fsrs::nextState(again, 1, Grade::Good);
    EXPECT_NEAR(next.stability, 2.265009435089055, kTolerance);
    EXPECT_NEAR(next.difficulty, 7.176636167311107, kTolerance);
    // Missed twice on one day, then again the next: the lapse is capped at
    // S / e^(w17 w18), below its long-term value of 0.178.
    const fsrs::MemoryState twice = fsrs::nextState(again, 0, Grade::Again);
    EXPECT_NEAR(twice.stability, 0.20168903241409677, kTolerance);
    EXPECT_NEAR(twice.difficulty, 8.082797017759107, kTolerance);
    EXPECT_NEAR(fsrs::nextState(twice, 1, Grade::Again).stability, 0.14326833103466943, kTolerance);
}

TEST(Fsrs, IntervalsMeetTheDesiredRetention) {
    for (const double stability : {0.5, 3.173, 42.0, 900.0})
        EXPECT_NEAR(fsrs::retrievability(stability, stability), 0.9, 1e-12) << stability;
    EXPECT_EQ(fsrs::nextIntervalDays(0.2), 1);
    EXPECT_EQ(fsrs::nextIntervalDays(42.4), 42);
    EXPECT_EQ(fsrs::nextIntervalDays(1e9), fsrs::kMaximumIntervalDays);
    // A higher retention asks for an earlier review.
    EXPECT_LT(fsrs::nextIntervalDays(100, 0.95), 100);
}

Attempt attemptOf(int right, int total, QStringList missed, int replays, int speed) {
    Attempt attempt;
    attempt.wordsRight = right;
    attempt.wordsTotal = total;
    attempt.missedWords = std::move(missed);
    attempt.replays = replays;
    attempt.speedPercent = speed;
    return attempt;
}

TEST(GradeRule, HowMuchHelpAnAllRightSentenceTook) {
    struct Case {
        const char* what;
        Attempt attempt;
        Grade grade;
    };
    const Case cases[] = {
        {"a word missed", attemptOf(5, 6, {"river"}, 0, 100), Grade::Again},
        {"fewer right without names", attemptOf(5, 6, {}, 0, 100), Grade::Again},
        {"missed at every speed", attemptOf(0, 6, {"a", "b"}, 9, 150), Grade::Again},
        {"no replay, full speed", attemptOf(6, 6, {}, 0, 100), Grade::Easy},
        {"no replay, faster", attemptOf(6, 6, {}, 0, 150), Grade::Easy},
        {"one replay", attemptOf(6, 6, {}, 1, 100), Grade::Good},
        {"two replays, faster", attemptOf(6, 6, {}, 2, 125), Grade::Good},
        {"three replays", attemptOf(6, 6, {}, 3, 100), Grade::Hard},
        {"slower, no replay", attemptOf(6, 6, {}, 0, 99), Grade::Hard},
        {"slower, replays", attemptOf(6, 6, {}, 5, 50), Grade::Hard},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gradeOf(c.attempt), c.grade) << c.what;
}

TEST(ReviewSchedule, DueOnLocalDaysAndAtOnceAfterAMiss) {
    Attempt good = attemptOf(6, 6, {}, 1, 100);
    good.time = at("2026-03-01T23:30:00+08:00");
    const ReviewState first = reviewAfter({}, good);
    EXPECT_EQ(first.reviews, 1);
    EXPECT_EQ(first.due, at("2026-03-04T00:00:00+08:00"));

    // Three local days later, though only two days and forty minutes have passed.
    good.time = at("2026-03-04T00:10:00+08:00");
    const ReviewState second = reviewAfter(first, good);
    EXPECT_EQ(second.reviews, 2);
    EXPECT_NEAR(second.memory->stability, 10.73892584613159, kTolerance);
    EXPECT_EQ(second.due, at("2026-03-15T00:00:00+08:00"));

    Attempt missed = attemptOf(5, 6, {"river"}, 0, 100);
    missed.time = at("2026-03-20T09:00:00+08:00");
    const ReviewState lapse = reviewAfter(second, missed);
    EXPECT_EQ(lapse.due, missed.time);
    EXPECT_LT(lapse.memory->stability, second.memory->stability);
}

} // namespace
