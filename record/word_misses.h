// The misses of each attempt with their kinds, in a table of their own
// (word_misses), made the first time an attempt brings kinds; attempts
// recorded before then keep only their missed words. From them the words
// missed most are counted honestly: once per sitting, by the attempt that
// grades it (the compare, else the check), without the untyped tail of a
// sentence left unfinished, and function words apart from the rest.
#pragma once

#include "practice_types.h"

#include <QJsonArray>
#include <cstdint>

struct sqlite3;

namespace hearvex::record {

class StatementCache;

// Inside the caller's transaction: keeps the attempt's misses, made as
// attemptId of lessonId. Creates the tables on the first call.
bool insertWordMisses(StatementCache& statements, std::int64_t attemptId, std::int64_t lessonId,
                      const Attempt& attempt);

// The words missed most, most first; function words only, or all but them.
std::vector<MissedWord> honestMostMissed(sqlite3* db, bool functionWords, int limit);

// How often each kind of miss came up in the sittings from the day first on,
// most frequent first.
std::vector<KindCount> missKindsSince(sqlite3* db, const QDate& first);

// The misses as the pending journal keeps them, and back.
QJsonArray missesJson(const std::vector<AttemptMiss>& misses);
std::vector<AttemptMiss> missesFromJson(const QJsonArray& array);

} // namespace hearvex::record
