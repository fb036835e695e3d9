// The practice record on disk: an SQLite database that keeps every check and
// compare and the review schedule of every sentence practised. Each attempt is
// written in its own transaction at the moment it is made, so a crash or a kill
// loses nothing already recorded; WAL and a busy timeout let two running copies
// of the program both record.
#pragma once

#include "practice_types.h"

#include <QIODevice>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace hearvex::record {

// The record's file: $XDG_DATA_HOME/hearvex/practice.sqlite3
// (~/.local/share/hearvex/ when XDG_DATA_HOME is unset).
QString defaultRecordPath();

// The identity of a lesson's recording: a hex hash of its bytes; empty when
// the file cannot be read.
QByteArray hashRecording(const QString& path);

struct OpenOutcome {
    enum class Status {
        Opened,     // ready to record
        MovedAside, // the file was not a readable database: kept as brokenPath, a new one started
        Unwritable, // the folder or file cannot be written: practice goes on, nothing is recorded
        // Only when not creating (the lesson tool): nothing is changed.
        Missing, // no record at the path
        Damaged  // not a readable practice record
    };
    Status status = Status::Opened;
    QString brokenPath; // MovedAside: where the damaged file now is
    QString reason;     // Unwritable, Missing, Damaged: why, for the window or a message
};

// A sentence's review state as the library's tooltip shows it.
struct LessonStanding {
    QString lastResult; // "N/M" of the last attempt
    QDateTime lastTime;
    QDateTime due;
};

// One PracticeRecord is used from one thread at a time; each running copy of
// the program (and the lesson tool) opens its own.
class PracticeRecord {
public:
    // Opens (creating on first use) the record at path. With createIfMissing
    // false a missing or damaged file is an error and nothing is changed
    // (the lesson tool reads, it never starts a record). Null unless the
    // outcome is Opened or MovedAside.
    static std::unique_ptr<PracticeRecord> open(const QString& path, OpenOutcome* outcome,
                                                bool createIfMissing = true);
    ~PracticeRecord();

    // Records one attempt and regrades its sentence's review item. Returns
    // false (and keeps a reason in lastError) when the write failed.
    bool add(const Attempt& attempt);
    // Records several attempts, in their order, in one transaction: all or none.
    bool addAll(const std::vector<Attempt>& attempts);
    QString lastError() const;

    // Every attempt, oldest first.
    std::vector<Attempt> attempts() const;
    // The sentences due at now, oldest due first.
    std::vector<DueItem> due(const QDateTime& now) const;
    // All the record window shows, for the day of now in now's own time
    // (pass local time). Each attempt counts on its own local day.
    RecordSummary summary(const QDateTime& now) const;
    // The last result and due time of a lesson's sentence, if practised.
    std::optional<LessonStanding> standing(const LessonRef& lesson) const;

    // The whole record as CSV (RFC 4180), header first:
    // time,lesson,kind,right,total,missed,speed,typed
    bool writeCsv(QIODevice& out) const;

    // The connection, known only to the store's own files.
    struct Database;

private:
    explicit PracticeRecord(std::unique_ptr<Database> db);
    std::unique_ptr<Database> m_db;
};

} // namespace hearvex::record
