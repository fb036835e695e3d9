#include "review_grade.h"

namespace hearvex::record {

fsrs::Grade gradeOf(const Attempt& attempt) {
    const bool allRight = attempt.wordsRight >= attempt.wordsTotal && attempt.missedWords.isEmpty();
    if (!allRight)
        return fsrs::Grade::Again;
    if (attempt.replays >= kHardReplays || attempt.speedPercent < 100)
        return fsrs::Grade::Hard;
    if (attempt.replays == 0)
        return fsrs::Grade::Easy;
    return fsrs::Grade::Good;
}

namespace {

// Whole local days between the last review and this one, in this one's time.
int daysBetween(const QDateTime& last, const QDateTime& now) {
    return int(last.toOffsetFromUtc(now.offsetFromUtc()).date().daysTo(now.date()));
}

QDateTime startOfDay(const QDate& day, int offsetSeconds) {
    return QDateTime(day, QTime(0, 0), Qt::OffsetFromUTC, offsetSeconds);
}

} // namespace

ReviewState reviewAfter(const ReviewState& before, const Attempt& grading) {
    const fsrs::Grade grade = gradeOf(grading);
    const int elapsed = before.memory ? daysBetween(before.lastReview, grading.time) : 0;
    ReviewState after;
    after.reviews = before.reviews + 1;
    after.memory = fsrs::nextState(before.memory, elapsed, grade);
    after.lastReview = grading.time;
    if (grade == fsrs::Grade::Again) {
        after.due = grading.time;
    } else {
        const int interval = fsrs::nextIntervalDays(after.memory->stability);
        after.due = startOfDay(grading.time.date().addDays(interval), grading.time.offsetFromUtc());
    }
    return after;
}

} // namespace hearvex::record
