#include "review_store.h"

#include "record_database.h"
#include "review_grade.h"
#include "sqlite_statement.h"

#include <optional>

namespace hearvex::record {

namespace {

struct StoredReview {
    ReviewState current;
    ReviewState before;
    std::int64_t sitting = 0;
    std::int64_t gradingAttempt = 0;
    bool gradedByCompare = false;
};

// Seven columns from first: reviews, stability, difficulty, last (ms,
// offset), due (ms, offset).
ReviewState readState(const Statement& row, int first) {
    ReviewState state;
    state.reviews = int(row.integer(first));
    if (!row.isNull(first + 1))
        state.memory = fsrs::MemoryState{row.real(first + 1), row.real(first + 2)};
    if (!row.isNull(first + 3))
        state.lastReview = storedTime(row.integer(first + 3), int(row.integer(first + 4)));
    if (!row.isNull(first + 5))
        state.due = storedTime(row.integer(first + 5), int(row.integer(first + 6)));
    return state;
}

void bindTime(Statement& statement, int first, const QDateTime& time) {
    if (time.isValid()) {
        statement.bind(first, std::int64_t(time.toMSecsSinceEpoch()));
        statement.bind(first + 1, time.offsetFromUtc());
    } else {
        statement.bindNull(first).bindNull(first + 1);
    }
}

void bindState(Statement& statement, int first, const ReviewState& state) {
    statement.bind(first, state.reviews);
    if (state.memory)
        statement.bind(first + 1, state.memory->stability)
            .bind(first + 2, state.memory->difficulty);
    else
        statement.bindNull(first + 1).bindNull(first + 2);
    bindTime(statement, first + 3, state.lastReview);
    bindTime(statement, first + 5, state.due);
}

std::optional<StoredReview> loadReview(StatementCache& db, std::int64_t lessonId) {
    Statement row(db, "SELECT sitting_ms, grading_attempt, graded_by_compare,"
                      " reviews, stability, difficulty, last_ms, last_offset, due_ms, due_offset,"
                      " before_reviews, before_stability, before_difficulty, before_last_ms,"
                      " before_last_offset, before_due_ms, before_due_offset"
                      " FROM reviews WHERE lesson_id = ?1");
    row.bind(1, lessonId);
    if (!row.next())
        return std::nullopt;
    StoredReview review;
    review.sitting = row.integer(0);
    review.gradingAttempt = row.integer(1);
    review.gradedByCompare = row.integer(2) != 0;
    review.current = readState(row, 3);
    review.before = readState(row, 10);
    return review;
}

bool saveReview(StatementCache& db, std::int64_t lessonId, const StoredReview& review) {
    Statement save(db, "INSERT OR REPLACE INTO reviews (lesson_id, sitting_ms, grading_attempt,"
                       " graded_by_compare, reviews, stability, difficulty, last_ms, last_offset,"
                       " due_ms, due_offset, before_reviews, before_stability, before_difficulty,"
                       " before_last_ms, before_last_offset, before_due_ms, before_due_offset)"
                       " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14,"
                       " ?15, ?16, ?17, ?18)");
    save.bind(1, lessonId).bind(2, review.sitting).bind(3, review.gradingAttempt);
    save.bind(4, review.gradedByCompare ? 1 : 0);
    bindState(save, 5, review.current);
    bindState(save, 12, review.before);
    return save.run();
}

bool markGrading(StatementCache& db, std::int64_t attemptId, int grades) {
    Statement mark(db, "UPDATE attempts SET grades = ?2 WHERE id = ?1");
    return mark.bind(1, attemptId).bind(2, grades).run();
}

} // namespace

std::int64_t sittingOf(const Attempt& attempt) {
    return (attempt.lessonStarted.isValid() ? attempt.lessonStarted : attempt.time)
        .toMSecsSinceEpoch();
}

bool regradeReview(StatementCache& db, std::int64_t lessonId, std::int64_t attemptId,
                   const Attempt& attempt) {
    const std::optional<StoredReview> stored = loadReview(db, lessonId);
    const bool isCompare = attempt.kind == AttemptKind::Compare;
    StoredReview review;
    review.sitting = sittingOf(attempt);
    if (stored && review.sitting < stored->sitting)
        return true; // a sitting older than the one graded last, from another copy
    if (stored && stored->sitting == review.sitting) {
        // A check after the sitting's compare does not outrank it.
        if (stored->gradedByCompare && !isCompare)
            return true;
        review.before = stored->before;
        if (!markGrading(db, stored->gradingAttempt, 0))
            return false;
    } else if (stored) {
        review.before = stored->current;
    }
    review.current = reviewAfter(review.before, attempt);
    review.gradingAttempt = attemptId;
    review.gradedByCompare = isCompare;
    return saveReview(db, lessonId, review) && markGrading(db, attemptId, 1);
}

} // namespace hearvex::record
