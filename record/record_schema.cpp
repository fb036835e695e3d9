#include "record_schema.h"

#include "record_database.h"
#include "review_store.h"
#include "sqlite_statement.h"

#include <string>

namespace hearvex::record {

namespace {

// The first record: lessons and their attempts.
constexpr char kVersion1[] = R"sql(
CREATE TABLE lessons (
    id INTEGER PRIMARY KEY,
    sentence TEXT NOT NULL,
    audio_hash TEXT NOT NULL,
    recording_name TEXT NOT NULL,
    folder TEXT NOT NULL,
    UNIQUE (sentence, audio_hash)
);
CREATE TABLE attempts (
    id INTEGER PRIMARY KEY,
    lesson_id INTEGER NOT NULL REFERENCES lessons (id),
    time_ms INTEGER NOT NULL,
    utc_offset INTEGER NOT NULL,
    kind TEXT NOT NULL CHECK (kind IN ('check', 'compare')),
    words_right INTEGER NOT NULL,
    words_total INTEGER NOT NULL,
    missed TEXT NOT NULL,
    typed TEXT NOT NULL,
    speed_percent INTEGER NOT NULL,
    seconds_since_start INTEGER NOT NULL,
    replays INTEGER NOT NULL,
    lesson_started_ms INTEGER NOT NULL,
    recording_name TEXT NOT NULL,
    folder TEXT NOT NULL
);
CREATE INDEX attempts_by_time ON attempts (time_ms);
)sql";

// Review scheduling, per-day figures and the most missed words.
constexpr char kVersion2[] = R"sql(
ALTER TABLE attempts ADD COLUMN local_day INTEGER NOT NULL DEFAULT 0;
ALTER TABLE attempts ADD COLUMN grades INTEGER NOT NULL DEFAULT 0;
UPDATE attempts SET local_day = (time_ms / 1000 + utc_offset) / 86400 + 2440588;
-- Covers the per-day figures, so they are read from the index alone.
CREATE INDEX attempts_by_day ON attempts (local_day, lesson_id, lesson_started_ms,
    seconds_since_start, grades, words_right, words_total);
CREATE INDEX attempts_by_lesson ON attempts (lesson_id, time_ms);
CREATE TABLE missed_words (
    attempt_id INTEGER NOT NULL REFERENCES attempts (id),
    lesson_id INTEGER NOT NULL REFERENCES lessons (id),
    word TEXT NOT NULL
);
CREATE INDEX missed_words_by_word ON missed_words (word, lesson_id);
CREATE TABLE reviews (
    lesson_id INTEGER PRIMARY KEY REFERENCES lessons (id),
    sitting_ms INTEGER NOT NULL,
    grading_attempt INTEGER NOT NULL REFERENCES attempts (id),
    graded_by_compare INTEGER NOT NULL,
    reviews INTEGER NOT NULL,
    stability REAL,
    difficulty REAL,
    last_ms INTEGER,
    last_offset INTEGER,
    due_ms INTEGER,
    due_offset INTEGER,
    before_reviews INTEGER NOT NULL,
    before_stability REAL,
    before_difficulty REAL,
    before_last_ms INTEGER,
    before_last_offset INTEGER,
    before_due_ms INTEGER,
    before_due_offset INTEGER
);
CREATE INDEX reviews_by_due ON reviews (due_ms);
)sql";

// Shadowing takes are attempts of their own kind. Widening a CHECK leaves
// every row as it is on disk, so the table's definition is rewritten in place
// (SQLite's documented way for such a change) instead of copying the table.
constexpr char kVersion3[] = R"sql(
PRAGMA writable_schema = ON;
UPDATE sqlite_master
   SET sql = replace(sql, 'CHECK (kind IN (''check'', ''compare''))',
                     'CHECK (kind IN (''check'', ''compare'', ''shadow''))')
 WHERE type = 'table' AND name = 'attempts';
PRAGMA writable_schema = OFF;
)sql";

// The connection reads the rewritten definition once the schema's own
// version has moved on.
bool reloadSchema(sqlite3* db) {
    std::int64_t version = -1;
    {
        Statement read(db, "PRAGMA schema_version");
        if (read.next())
            version = read.integer(0);
    }
    const std::string next = "PRAGMA schema_version = " + std::to_string(version + 1);
    return version >= 0 && execute(db, next.c_str());
}

// What version 2 adds from the attempts already kept: their missed words one
// by one, and every sentence's review replayed from its attempts.
bool replayAttempts(sqlite3* db) {
    const std::string sql = std::string("SELECT ") + kAttemptColumns +
                            " FROM attempts a JOIN lessons l ON l.id = a.lesson_id"
                            " ORDER BY a.time_ms, a.id";
    Statement rows(db, sql.c_str());
    StatementCache statements(db);
    while (rows.next()) {
        const Attempt attempt = readAttempt(rows);
        const std::int64_t attemptId = rows.integer(kAttemptIdColumn);
        const std::int64_t lessonId = rows.integer(kAttemptLessonColumn);
        if (!insertMissedWords(statements, attemptId, lessonId, attempt.missedWords) ||
            !regradeReview(statements, lessonId, attemptId, attempt))
            return false;
    }
    return !rows.failed();
}

bool setVersion(sqlite3* db, int version) {
    return execute(db, ("PRAGMA user_version = " + std::to_string(version)).c_str());
}

bool migrateStep(sqlite3* db, int from) {
    switch (from) {
    case 0:
        return execute(db, kVersion1);
    case 1:
        return execute(db, kVersion2) && replayAttempts(db);
    case 2:
        return execute(db, kVersion3) && reloadSchema(db);
    default:
        return false;
    }
}

// A database with tables but no version of ours was made by something else.
bool hasTables(sqlite3* db) {
    Statement tables(db, "SELECT 1 FROM sqlite_master LIMIT 1");
    return tables.next();
}

} // namespace

int schemaVersion(sqlite3* db) {
    Statement version(db, "PRAGMA user_version");
    return version.next() ? int(version.integer(0)) : -1;
}

SchemaStatus inspectSchema(sqlite3* db) {
    const int version = schemaVersion(db);
    if (version < 0)
        return SchemaStatus::Failed;
    if (version > kSchemaVersion)
        return SchemaStatus::Newer;
    if (version == 0 && hasTables(db))
        return SchemaStatus::Foreign;
    return version == kSchemaVersion ? SchemaStatus::Current : SchemaStatus::Older;
}

SchemaStatus migrateSchema(sqlite3* db, QString* error) {
    const SchemaStatus found = inspectSchema(db);
    if (found == SchemaStatus::Failed)
        *error = errorText(db);
    if (found != SchemaStatus::Older)
        return found;
    int version = schemaVersion(db);
    for (; version < kSchemaVersion; ++version) {
        if (!execute(db, "BEGIN IMMEDIATE")) {
            *error = errorText(db);
            return SchemaStatus::Failed;
        }
        // Another copy of the program may have migrated meanwhile.
        const int now = schemaVersion(db);
        const bool done = now > version;
        if (!done && !(migrateStep(db, version) && setVersion(db, version + 1))) {
            *error = errorText(db);
            execute(db, "ROLLBACK");
            return SchemaStatus::Failed;
        }
        if (!execute(db, "COMMIT")) {
            *error = errorText(db);
            execute(db, "ROLLBACK");
            return SchemaStatus::Failed;
        }
        if (done)
            version = now - 1;
    }
    return SchemaStatus::Migrated;
}

} // namespace hearvex::record
