// Keeps the practice record on a thread of its own. Opening (with its checks
// and migrations), every write, the record window's figures and the CSV export
// run there, so a large, locked, full, read-only or vanished record never
// holds up the window. An attempt the record cannot take at once waits in
// memory and in the pending journal, and is written when the record can take
// it again, by this run or the next. Before each write the file is checked to
// be the one opened: a record deleted or replaced is opened (made) anew.
//
// Threads: the public calls come from one thread, the one of the context
// object given; every callback runs there, queued, never inside a call.
#pragma once

#include "pending_journal.h"
#include "practice_record.h"

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace hearvex::record {

class RecordKeeper {
public:
    enum class State { Opening, Writable, ReadOnly, Unavailable };
    struct Status {
        State state = State::Opening;
        // Why attempts wait, or why the record is read-only or unavailable.
        RecordFault fault = RecordFault::None;
        QString detail;          // the error as reported, for the curious
        int waiting = 0;         // attempts kept, not yet in the record
        bool journalKept = true; // those are on disk too, not in memory only
        QString brokenPath;      // a damaged record kept aside at opening
        bool recreated = false;  // the record vanished or was replaced and began anew
        int generation = 0;      // grows each time the record is (re)opened
        bool operator==(const Status&) const = default;
    };
    struct Figures {
        bool read = false; // false: no record to read
        RecordSummary summary;
        std::vector<int> comingDue; // the next 7 days, tomorrow first
    };

    RecordKeeper(QString path, QObject* context, std::function<void(const Status&)> onStatus);
    // Tries once more to write what waits (a busy wait of at most the
    // timeout); what is still waiting stays in the journal for the next run.
    ~RecordKeeper();
    RecordKeeper(const RecordKeeper&) = delete;
    RecordKeeper& operator=(const RecordKeeper&) = delete;

    const QString& path() const { return m_path; }
    // Opens the record on the worker thread; attempts added before are kept.
    void start();
    void add(const Attempt& attempt);
    // The window's figures as of now (local time).
    void readFigures(const QDateTime& now, std::function<void(const Figures&)> done);
    // The whole record as CSV into the file at path, written whole or not at
    // all; a byte-order mark first when asked (spreadsheet programs read
    // UTF-8 only with one). done(error): empty when it was written.
    void exportCsv(const QString& path, bool byteOrderMark, std::function<void(QString)> done);

    Status status() const;
    // Waits until everything asked so far was done or tried once; false when
    // timeoutMs passed first. For tests and the bench.
    bool settle(int timeoutMs);
    // How long after a failed write the next is tried, and how long a write
    // waits for another program's lock.
    void setRetryInterval(int ms);
    void setBusyTimeout(int ms);

private:
    void run();
    bool ensureRecord();
    bool openIsDue() const;
    void reopenIfWritable();
    void openRecord();
    void writeWaiting();
    void forgetWritten(std::size_t count, bool failed);
    void keepInJournal(const Attempt& attempt);
    void updateStatus(const std::function<void(Status&)>& change);
    void post(std::function<void()> call);

    const QString m_path;
    QObject* const m_context; // outlives the keeper
    std::function<void(const Status&)> m_onStatus;

    mutable std::mutex m_mutex; // guards what follows, up to the worker's own
    std::condition_variable m_wake;
    std::condition_variable m_settled;
    std::deque<std::function<void()>> m_jobs;
    std::deque<Attempt> m_waiting;
    PendingJournal m_journal;
    PendingJournal m_fallbackJournal;
    Status m_status;
    bool m_failing = false;
    bool m_stop = false;
    std::atomic<bool> m_closing{false}; // stops an open in progress at the end
    int m_retryMs = 2000;
    int m_busyMs = 100;
    std::uint64_t m_asked = 0;
    std::uint64_t m_done = 0;
    qint64 m_lastOpenMs = -1;

    // The worker's own.
    std::unique_ptr<PracticeRecord> m_record;
    std::thread m_thread;
};

} // namespace hearvex::record
