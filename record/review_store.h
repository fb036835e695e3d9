// A sentence's review item in the record. The item advances once per sitting:
// it keeps the state from before the sitting, and each attempt of the sitting
// regrades from that state, the sitting's last compare (or, without one, its
// last check) having the final word.
#pragma once

#include "practice_types.h"

#include <cstdint>

namespace hearvex::record {

class StatementCache;

// Inside the caller's transaction: regrades lessonId's item by the attempt
// just written as attemptId, and marks the attempt that now grades its sitting.
bool regradeReview(StatementCache& statements, std::int64_t lessonId, std::int64_t attemptId,
                   const Attempt& attempt);

// The sitting an attempt belongs to, as stored.
std::int64_t sittingOf(const Attempt& attempt);

} // namespace hearvex::record
