// The connection behind a PracticeRecord, for the files that implement it.
// It knows nothing of the record that holds it (practice_record.h).
#pragma once

#include "practice_types.h"
#include "record_fault.h"
#include "sqlite_statement.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>
#include <sqlite3.h>

namespace hearvex::record {

struct RecordDatabase {
    sqlite3* handle = nullptr;
    std::unique_ptr<StatementCache> statements; // made once the handle is open
    QString path;
    QString lastError;
    RecordFault lastFault = RecordFault::None;
    bool readOnly = false;
    // The file opened, to notice it deleted or replaced.
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    ~RecordDatabase() {
        statements.reset();
        sqlite3_close(handle);
    }
};

// What kind of trouble the connection's last error is, for the record at path.
RecordFault faultOf(sqlite3* db, const QString& path);

// Times as stored: milliseconds since the epoch (UTC) and the offset in seconds.
QDateTime storedTime(std::int64_t msecs, int offsetSeconds);

// The word as missed words are counted: lower case, without the punctuation
// around it.
QString missedWordKey(const QString& word);

} // namespace hearvex::record

namespace hearvex::record {

// The columns readAttempt reads, of attempts a joined with lessons l.
inline constexpr char kAttemptColumns[] =
    "a.time_ms, a.utc_offset, a.kind, a.words_right, a.words_total, a.missed, a.typed,"
    " a.speed_percent, a.seconds_since_start, a.replays, a.lesson_started_ms,"
    " a.recording_name, a.folder, l.sentence, l.audio_hash, a.id, a.lesson_id";
inline constexpr int kAttemptIdColumn = 15;
inline constexpr int kAttemptLessonColumn = 16;

Attempt readAttempt(const Statement& row);

// Missed words are kept one per row too, so the most missed are counted in SQL.
bool insertMissedWords(StatementCache& statements, std::int64_t attemptId, std::int64_t lessonId,
                       const QStringList& words);

} // namespace hearvex::record
