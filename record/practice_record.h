// The practice record on disk: an SQLite database that keeps every check and
// compare and the review schedule of every sentence practised. Each attempt is
// written in its own transaction at the moment it is made, so a crash or a kill
// loses nothing already recorded; WAL and a busy timeout let two running copies
// of the program both record.
#pragma once

#include "practice_types.h"
#include "record_fault.h"

#include <QIODevice>
#include <QString>
#include <atomic>
#include <functional>
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
        ReadOnly,   // the file can be read but not written: its history shows, nothing is added
        Unwritable, // the folder or file cannot be written: practice goes on, nothing is recorded
        // Only when not creating (the lesson tool): nothing is changed.
        Missing, // no record at the path
        Damaged  // not a readable practice record
    };
    Status status = Status::Opened;
    QString brokenPath; // MovedAside: where the damaged file now is
    QString reason;     // Unwritable, Missing, Damaged: why, for the window or a message
    RecordFault fault = RecordFault::None; // ReadOnly, Unwritable: the kind of trouble
};

// A sentence's review state as the library's tooltip shows it.
struct LessonStanding {
    QString lastResult; // "N/M" of the last attempt
    QDateTime lastTime;
    QDateTime due;
};

// One PracticeRecord is used from one thread at a time; each running copy of
// the program (and the lesson tool) opens its own.
struct RecordDatabase;

class PracticeRecord {
public:
    // Opens (creating on first use) the record at path. With createIfMissing
    // false a missing or damaged file (an empty one too) is an error and
    // nothing is changed (the lesson tool reads, it never starts a record).
    // A record that can be read but not written opens read-only. Null unless
    // the outcome is Opened, MovedAside or ReadOnly. Setting *cancelled (from
    // another thread) stops a long check or migration: the open fails and the
    // file stays as it was.
    static std::unique_ptr<PracticeRecord> open(const QString& path, OpenOutcome* outcome,
                                                bool createIfMissing = true,
                                                const std::atomic<bool>* cancelled = nullptr);

    // A second connection that only reads an existing record, for quick
    // look-ups beside the one that writes: no checks, a busy wait of at most
    // busyMs. Null when the file is not a current record.
    static std::unique_ptr<PracticeRecord> openReader(const QString& path, int busyMs = 50);
    ~PracticeRecord();

    // Opened for reading only: add() fails with RecordFault::ReadOnly.
    bool isReadOnly() const;
    // How long a write waits for another program's lock before it fails with
    // RecordFault::Locked.
    void setBusyTimeout(int ms);
    // False once the file at the record's path is no longer the one opened
    // (deleted, or another file put in its place): writes would go nowhere.
    bool isStillAtItsPath() const;

    // Records one attempt and regrades its sentence's review item. Returns
    // false (and keeps a reason in lastError, its kind in lastFault) when the
    // write failed.
    bool add(const Attempt& attempt);
    // Records several attempts, in their order, in one transaction: all or none.
    bool addAll(const std::vector<Attempt>& attempts);
    QString lastError() const;
    RecordFault lastFault() const;
    // Whether this very attempt (same time, kind and sentence) is already in
    // the record: a kept attempt is never written twice.
    bool contains(const Attempt& attempt) const;

    // Every attempt, oldest first.
    std::vector<Attempt> attempts() const;
    // Hands every attempt, oldest first, to each, one at a time (memory stays
    // small however long the record); stops when each returns false. False
    // when the reading failed or was stopped.
    bool forEachAttempt(const std::function<bool(const Attempt&)>& each) const;
    // The sentences due at now, oldest due first; at most limit of them
    // when limit is not negative.
    std::vector<DueItem> due(const QDateTime& now, int limit = -1) const;
    // Every sentence with a review, due or not, soonest due first.
    std::vector<DueItem> schedule() const;
    // How many sentences come due on each of the days days after today (the
    // day of now, in now's time): tomorrow first.
    std::vector<int> comingDue(const QDateTime& now, int days) const;
    // All the record window shows, for the day of now in now's own time
    // (pass local time). Each attempt counts on its own local day.
    RecordSummary summary(const QDateTime& now) const;
    // The last result and due time of a lesson's sentence, if practised.
    std::optional<LessonStanding> standing(const LessonRef& lesson) const;

    // The whole record as CSV (RFC 4180), header first:
    // time,lesson,kind,right,total,missed,speed,typed
    bool writeCsv(QIODevice& out) const;

    // The connection, known only to the store's own files (record_database.h).
    using Database = RecordDatabase;

private:
    explicit PracticeRecord(std::unique_ptr<Database> db);
    std::unique_ptr<Database> m_db;
};

} // namespace hearvex::record
