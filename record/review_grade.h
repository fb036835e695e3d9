// How a sentence's review is graded and scheduled from the attempt that
// grades its sitting: a missed word is Again and keeps the sentence due until
// it is typed all right; all right is Hard, Good or Easy by how much help it
// took (replays, a slower speed); FSRS says when it is due again.
#pragma once

#include "fsrs.h"
#include "practice_types.h"

#include <QDateTime>
#include <optional>

namespace hearvex::record {

// Replays from this many on make an all-right sentence Hard.
inline constexpr int kHardReplays = 3;

fsrs::Grade gradeOf(const Attempt& attempt);

// A sentence's review item: FSRS's memory state after the sittings graded so far.
struct ReviewState {
    int reviews = 0; // sittings graded
    std::optional<fsrs::MemoryState> memory;
    QDateTime lastReview;
    QDateTime due;
};

// The item after a sitting graded by grading. Hard, Good and Easy fall due at
// the start of the day FSRS's next interval names, in the attempt's local time;
// Again is due at once.
ReviewState reviewAfter(const ReviewState& before, const Attempt& grading);

} // namespace hearvex::record
