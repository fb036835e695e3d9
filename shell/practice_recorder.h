// Keeps the practice record for the main window: every check and compare of
// the lesson in practice goes into the record with the time, the lesson, the
// speed, the seconds since the lesson started and the passes heard again. The
// record is opened and written on a thread of its own (record::RecordKeeper):
// the window never waits for it, and an attempt it cannot take at once is kept
// until it can. It opens and closes the 练习记录 window. A record that cannot
// be kept never stops practice: a line of the main window says so at once,
// the record window says why and what to do, and a damaged file kept aside is
// told once.
#pragma once

#include "attempt_result.h"
#include "practice_record.h"
#include "record_keeper.h"
#include "record_window.h"

#include <QDateTime>
#include <QHash>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

namespace hearvex {

// The Attempt a check or compare leaves, in the lesson it was made in.
struct PracticeSession {
    record::LessonRef lesson;
    QDateTime started;
    int replays = 0;
};
record::Attempt makeAttempt(const exercise::AttemptResult& result, const PracticeSession& session,
                            const QDateTime& now, int speedPercent);

class PracticeRecorder {
public:
    // owner: the window the record window belongs to (and opens over).
    explicit PracticeRecorder(QWidget& owner);
    ~PracticeRecorder();
    PracticeRecorder(const PracticeRecorder&) = delete;
    PracticeRecorder& operator=(const PracticeRecorder&) = delete;

    // Opens the record at path (creating it on first use), off the window's
    // thread; checks and compares made meanwhile are kept.
    void open(const QString& path);
    // Waits until the record has taken or tried everything handed to it and
    // shows the outcome (tests; the program never waits).
    void settle(int timeoutMs = 5000);
    // How the main window shows the record's trouble: a short line (empty
    // while all is well) and its tooltip, the path and what to do.
    void setTroubleShower(std::function<void(const QString& line, const QString& tip)> show) {
        m_showTrouble = std::move(show);
    }
    // The record's keeper, for tests that set its retry interval.
    record::RecordKeeper* keeper() const { return m_keeper.get(); }
    // How the learner is told, once, that a damaged record was kept aside
    // (a message box that does not wait; tests replace it).
    void setNotice(std::function<void(const QString&)> notice) { m_notice = std::move(notice); }
    // What the record window shows about the record itself; empty while all is well.
    const QString& recordNote() const { return m_note; }
    // The record can be read (written or not).
    bool isOpen() const { return m_reader != nullptr; }

    // A lesson began: its recording (path as shown, and the bytes that name it
    // on disk) and its sentence; the recording is hashed here, once. An empty
    // sentence leaves no lesson in practice: nothing is recorded until the next.
    void lessonStarted(const QString& recordingPath, const QByteArray& recordingFile,
                       const QString& sentence);
    // One more pass heard again in the lesson in practice.
    void countReplay();
    // A check or compare was made.
    void record(const exercise::AttemptResult& result, int speedPercent);
    // A shadowing take was analysed (its attempt made by the 跟读 side).
    void recordShadowTake(const record::Attempt& attempt);
    const std::optional<PracticeSession>& session() const { return m_session; }

    // The oldest sentences due now, oldest first (at most 20: F12 tries the
    // first few, and a record with thousands due is read in a moment); the
    // standing of a lesson.
    std::vector<record::DueItem> dueNow() const;
    std::optional<record::LessonStanding> standing(const record::LessonRef& lesson) const;
    // The hash of a recording's bytes, read again only when the file changed:
    // lesson starts, the library's tooltips and the due lessons all ask for it.
    QByteArray recordingHash(const QString& path);

    // F10: the record window opens with the record as it stands, or closes.
    void toggleWindow();
    void showWindow();
    record::RecordWindow* window() const { return m_window; }
    // What a double-click on a due sentence does (set by the main window).
    void setDueStarter(std::function<void(const record::DueItem&)> start) {
        m_startDue = std::move(start);
    }
    // How the record window is made draggable (set by the main window).
    void setWindowPreparer(std::function<void(QWidget*)> prepare) {
        m_prepare = std::move(prepare);
    }
    // Tests set the clock; the program reads the system's.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

private:
    void refreshWindow();
    void noteProblem(const QString& note);
    void statusChanged(const record::RecordKeeper::Status& status);
    void placeWindow(QWidget& window);

    struct Hashed {
        QDateTime modified;
        qint64 size = -1;
        QByteArray hash;
    };

    QWidget& m_owner;
    QObject m_context; // the keeper's answers arrive here; outlives the keeper
    std::unique_ptr<record::RecordKeeper> m_keeper;
    record::RecordKeeper::Status m_status;
    // Quick look-ups (what is due, a lesson's standing) with a short busy wait.
    std::unique_ptr<record::PracticeRecord> m_reader;
    std::optional<PracticeSession> m_session;
    QString m_note;
    QPointer<record::RecordWindow> m_window;
    std::function<void(const QString&)> m_notice;
    std::function<void(const record::DueItem&)> m_startDue;
    std::function<QDateTime()> m_now;
    std::function<void(QWidget*)> m_prepare;
    std::function<void(const QString&, const QString&)> m_showTrouble;
    QHash<QString, Hashed> m_hashes;
};

} // namespace hearvex
