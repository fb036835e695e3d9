#include "record_schema.h"

#include "record_database.h"
#include "record_text.h"
#include "review_store.h"
#include "sqlite_statement.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace hearvex::record {

const char* const kFirstVersionTables = R"sql(
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

namespace {

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

// What version 2 adds from the attempts already kept, their missed words one
// by one and every sentence's review replayed from its attempts, goes in
// batches in the attempts' order. The last attempt replayed is kept beside
// them, committed with each batch; the table goes when the version moves on.
constexpr char kReplayStart[] = R"sql(
CREATE TABLE replay_progress (time_ms INTEGER, attempt_id INTEGER);
INSERT INTO replay_progress VALUES (NULL, NULL);
)sql";

// What one transaction did towards the next version. Strange: the replay's
// progress is not as this program leaves it.
enum class Progress { Failed, Strange, Part, Done };

struct ReplayedUpTo {
    std::int64_t timeMs = std::numeric_limits<std::int64_t>::min();
    std::int64_t attemptId = std::numeric_limits<std::int64_t>::min();
};

// One row, or the file is not as this program left it.
Progress readReplayProgress(sqlite3* db, ReplayedUpTo* upTo) {
    Statement read(db, "SELECT time_ms, attempt_id FROM replay_progress");
    if (!read.next())
        return read.failed() ? Progress::Failed : Progress::Strange;
    if (!read.isNull(0))
        *upTo = {read.integer(0), read.integer(1)};
    if (read.next() || read.failed())
        return read.failed() ? Progress::Failed : Progress::Strange;
    return Progress::Part;
}

Progress replayBatch(sqlite3* db, int size) {
    ReplayedUpTo upTo;
    if (const Progress read = readReplayProgress(db, &upTo); read != Progress::Part)
        return read;
    // The time comes first for attempts_by_time; its rowid orders ties.
    const std::string sql = std::string("SELECT ") + kAttemptColumns +
                            " FROM attempts a JOIN lessons l ON l.id = a.lesson_id"
                            " WHERE a.time_ms >= ?1 AND (a.time_ms > ?1 OR a.id > ?2)"
                            " ORDER BY a.time_ms, a.id LIMIT ?3";
    Statement rows(db, sql.c_str());
    rows.bind(1, upTo.timeMs).bind(2, upTo.attemptId).bind(3, size);
    StatementCache statements(db);
    int replayed = 0;
    while (rows.next()) {
        const Attempt attempt = readAttempt(rows);
        upTo.attemptId = rows.integer(kAttemptIdColumn);
        upTo.timeMs = rows.integer(0);
        const std::int64_t lessonId = rows.integer(kAttemptLessonColumn);
        if (!insertMissedWords(statements, upTo.attemptId, lessonId, attempt.missedWords) ||
            !regradeReview(statements, lessonId, upTo.attemptId, attempt))
            return Progress::Failed;
        ++replayed;
    }
    if (rows.failed())
        return Progress::Failed;
    if (replayed < size)
        return execute(db, "DROP TABLE replay_progress") ? Progress::Done : Progress::Failed;
    Statement save(db, "UPDATE replay_progress SET time_ms = ?1, attempt_id = ?2");
    return save.bind(1, upTo.timeMs).bind(2, upTo.attemptId).run() ? Progress::Part
                                                                   : Progress::Failed;
}

bool hasTable(sqlite3* db, const char* name) {
    Statement table(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1");
    table.bind(1, QString::fromLatin1(name));
    return table.next();
}

Progress whole(bool done) {
    return done ? Progress::Done : Progress::Failed;
}

// Inside the caller's transaction: the next part of the step from version from.
Progress migrateStep(sqlite3* db, int from, int batch) {
    switch (from) {
    case 0:
        return whole(execute(db, kFirstVersionTables));
    case 1:
        if (!hasTable(db, "replay_progress"))
            return execute(db, kVersion2) && execute(db, kReplayStart) ? Progress::Part
                                                                       : Progress::Failed;
        return replayBatch(db, batch);
    case 2:
        return whole(execute(db, kVersion3) && reloadSchema(db));
    default:
        return Progress::Failed;
    }
}

bool setVersion(sqlite3* db, int version) {
    return execute(db, ("PRAGMA user_version = " + std::to_string(version)).c_str());
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

SchemaStatus migrateSchema(sqlite3* db, QString* error, MigrationBatches batches) {
    const SchemaStatus found = inspectSchema(db);
    if (found == SchemaStatus::Failed)
        *error = errorText(db);
    if (found != SchemaStatus::Older)
        return found;
    const int batch = std::max(1, batches.attempts);
    for (int commits = 1;; ++commits) {
        if (!execute(db, "BEGIN IMMEDIATE")) {
            *error = errorText(db);
            return SchemaStatus::Failed;
        }
        // Read inside the transaction: another copy of the program may have
        // migrated meanwhile, or be migrating batch by batch beside this one.
        const int version = schemaVersion(db);
        if (version >= kSchemaVersion) {
            execute(db, "ROLLBACK");
            return version == kSchemaVersion ? SchemaStatus::Migrated : SchemaStatus::Newer;
        }
        const Progress progress = migrateStep(db, version, batch);
        if (progress == Progress::Failed || progress == Progress::Strange ||
            (progress == Progress::Done && !setVersion(db, version + 1)) ||
            !execute(db, "COMMIT")) {
            *error = progress == Progress::Strange
                         ? RecordText::tr("the record was left half updated in a way this "
                                          "version of Hearvex cannot go on from")
                         : errorText(db);
            execute(db, "ROLLBACK");
            return SchemaStatus::Failed;
        }
        if (progress == Progress::Done && version + 1 == kSchemaVersion)
            return SchemaStatus::Migrated;
        if (commits == batches.stopAfter)
            return SchemaStatus::Older;
    }
}

} // namespace hearvex::record
