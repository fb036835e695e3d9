#include "record_keeper.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <chrono>
#include <unistd.h>

namespace hearvex::record {

namespace {
// Attempts written in one go; the lock is let go between them.
constexpr std::size_t kBatch = 100;
} // namespace

RecordKeeper::RecordKeeper(QString path, QObject* context,
                           std::function<void(const Status&)> onStatus)
    : m_path(std::move(path))
    , m_context(context)
    , m_onStatus(std::move(onStatus))
    , m_journal(pendingJournalPath(m_path))
    , m_fallbackJournal(fallbackJournalPath(m_path)) {
    // What earlier runs could not write comes first, in its order.
    for (PendingJournal* journal : {&m_journal, &m_fallbackJournal})
        for (Attempt& attempt : journal->load())
            m_waiting.push_back(std::move(attempt));
    m_status.waiting = int(m_waiting.size());
}

RecordKeeper::~RecordKeeper() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    // A long check or migration is not waited for: it is done again next time.
    m_closing = true;
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void RecordKeeper::start() {
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
}

void RecordKeeper::add(const Attempt& attempt) {
    {
        std::lock_guard lock(m_mutex);
        m_waiting.push_back(attempt);
        keepInJournal(attempt);
        ++m_asked;
    }
    m_wake.notify_all();
    updateStatus([this](Status& s) { s.waiting = int(m_waiting.size()); });
}

// Under the lock: beside the record, else in the fallback place, else in
// memory only (the learner is told so).
void RecordKeeper::keepInJournal(const Attempt& attempt) {
    bool kept = true;
    // Another copy of the program emptied the journal once its own attempts
    // were in the record: all that waits here goes into it anew.
    if (m_journal.lostItsFile())
        for (const Attempt& waiting : m_waiting)
            kept = m_journal.append(waiting) && kept;
    else
        kept = m_journal.append(attempt);
    kept = kept || m_fallbackJournal.append(attempt);
    m_status.journalKept = kept && m_status.journalKept;
}

void RecordKeeper::readFigures(const QDateTime& now, std::function<void(const Figures&)> done) {
    std::lock_guard lock(m_mutex);
    m_jobs.push_back([this, now, done = std::move(done)] {
        Figures figures;
        if (ensureRecord()) {
            figures.read = true;
            figures.summary = m_record->summary(now);
            figures.comingDue = m_record->comingDue(now, 7);
        }
        post([done, figures] { done(figures); });
    });
    ++m_asked;
    m_wake.notify_all();
}

void RecordKeeper::exportCsv(const QString& path, bool byteOrderMark,
                             std::function<void(QString)> done) {
    std::lock_guard lock(m_mutex);
    m_jobs.push_back([this, path, byteOrderMark, done = std::move(done)] {
        QString error;
        QSaveFile file(path);
        if (!ensureRecord())
            error = status().detail;
        else if (!file.open(QIODevice::WriteOnly) ||
                 (byteOrderMark && file.write("\xEF\xBB\xBF") != 3) || !m_record->writeCsv(file) ||
                 !file.commit())
            error = file.errorString();
        post([done, error] { done(error); });
    });
    ++m_asked;
    m_wake.notify_all();
}

RecordKeeper::Status RecordKeeper::status() const {
    std::lock_guard lock(m_mutex);
    return m_status;
}

bool RecordKeeper::settle(int timeoutMs) {
    std::unique_lock lock(m_mutex);
    const std::uint64_t ticket = ++m_asked;
    m_wake.notify_all();
    return m_settled.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_done >= ticket || !m_thread.joinable(); });
}

void RecordKeeper::setRetryInterval(int ms) {
    std::lock_guard lock(m_mutex);
    m_retryMs = ms;
}

void RecordKeeper::setBusyTimeout(int ms) {
    std::lock_guard lock(m_mutex);
    m_busyMs = ms;
}

void RecordKeeper::run() {
    openRecord();
    for (;;) {
        std::function<void()> job;
        bool write = false;
        std::uint64_t ticket = 0;
        {
            std::unique_lock lock(m_mutex);
            const auto ready = [this] {
                return m_stop || !m_jobs.empty() || m_asked > m_done ||
                       (!m_waiting.empty() && !m_failing);
            };
            if (!ready())
                m_wake.wait_for(lock, std::chrono::milliseconds(m_retryMs), ready);
            ticket = m_asked;
            if (!m_jobs.empty()) {
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            write = !m_waiting.empty();
        }
        if (job)
            job();
        if (write)
            writeWaiting();
        std::lock_guard lock(m_mutex);
        if (m_jobs.empty() && ticket > m_done) {
            m_done = ticket;
            m_settled.notify_all();
        }
        if (m_stop)
            break;
    }
}

// Opened, and still the file at the record's path; reopened (at most once
// a retry interval while it fails) when not.
bool RecordKeeper::ensureRecord() {
    if (m_record && m_record->isStillAtItsPath())
        return true;
    const bool vanished = m_record != nullptr;
    if (!vanished && !openIsDue())
        return false;
    m_record.reset();
    openRecord();
    if (vanished && m_record)
        updateStatus([](Status& s) { s.recreated = true; });
    return m_record != nullptr;
}

bool RecordKeeper::openIsDue() const {
    std::lock_guard lock(m_mutex);
    return m_lastOpenMs < 0 || QDateTime::currentMSecsSinceEpoch() - m_lastOpenMs >= m_retryMs;
}

// A read-only record is opened again once its file and folder can be written.
void RecordKeeper::reopenIfWritable() {
    const QByteArray file = QFile::encodeName(m_path);
    const QByteArray folder = QFile::encodeName(QFileInfo(m_path).absolutePath());
    if (openIsDue() && ::access(file.constData(), W_OK) == 0 &&
        ::access(folder.constData(), W_OK) == 0) {
        m_record.reset();
        openRecord();
    }
}

void RecordKeeper::openRecord() {
    OpenOutcome outcome;
    m_record = PracticeRecord::open(m_path, &outcome, true, &m_closing);
    int busyMs = 0;
    {
        std::lock_guard lock(m_mutex);
        m_lastOpenMs = QDateTime::currentMSecsSinceEpoch();
        busyMs = m_busyMs;
    }
    if (m_record)
        m_record->setBusyTimeout(busyMs);
    using OpenStatus = OpenOutcome::Status;
    updateStatus([&](Status& s) {
        s.state = !m_record                                ? State::Unavailable
                  : outcome.status == OpenStatus::ReadOnly ? State::ReadOnly
                                                           : State::Writable;
        s.fault = outcome.fault;
        s.detail = outcome.reason;
        if (!outcome.brokenPath.isEmpty())
            s.brokenPath = outcome.brokenPath;
        if (m_record)
            ++s.generation;
    });
}

void RecordKeeper::writeWaiting() {
    if (m_record && m_record->isReadOnly())
        reopenIfWritable();
    if (!ensureRecord() || m_record->isReadOnly()) {
        forgetWritten(0, true);
        return;
    }
    std::vector<Attempt> batch;
    {
        std::lock_guard lock(m_mutex);
        for (std::size_t i = 0; i < m_waiting.size() && i < kBatch; ++i)
            batch.push_back(m_waiting[i]);
    }
    std::size_t written = 0;
    for (const Attempt& attempt : batch) {
        if (!m_record->contains(attempt) && !m_record->add(attempt))
            break;
        ++written;
    }
    const bool failed = written < batch.size();
    if (failed)
        updateStatus([this](Status& s) {
            s.fault = m_record->lastFault();
            s.detail = m_record->lastError();
        });
    forgetWritten(written, failed);
}

void RecordKeeper::forgetWritten(std::size_t count, bool failed) {
    std::vector<int> toSync;
    {
        std::lock_guard lock(m_mutex);
        m_waiting.erase(m_waiting.begin(), m_waiting.begin() + std::ptrdiff_t(count));
        m_failing = failed;
        if (m_waiting.empty()) {
            m_journal.clear();
            m_fallbackJournal.clear();
        } else if (failed) {
            toSync = {m_journal.duplicateHandle(), m_fallbackJournal.duplicateHandle()};
        }
    }
    // What waits must outlast a power cut too; the window's checks are not
    // held up meanwhile.
    for (const int handle : toSync) {
        if (handle >= 0) {
            ::fdatasync(handle);
            ::close(handle);
        }
    }
    updateStatus([&](Status& s) {
        s.waiting = int(m_waiting.size());
        if (s.waiting == 0)
            s.journalKept = true;
        if (!failed && s.state == State::Writable)
            s.fault = RecordFault::None;
    });
}

void RecordKeeper::updateStatus(const std::function<void(Status&)>& change) {
    Status changed;
    {
        std::lock_guard lock(m_mutex);
        Status before = m_status;
        change(m_status);
        if (m_status == before)
            return;
        changed = m_status;
    }
    // The keeper may be gone when the call arrives; the handler is the context's.
    post([onStatus = m_onStatus, changed] {
        if (onStatus)
            onStatus(changed);
    });
}

void RecordKeeper::post(std::function<void()> call) {
    QMetaObject::invokeMethod(m_context, std::move(call), Qt::QueuedConnection);
}

} // namespace hearvex::record
