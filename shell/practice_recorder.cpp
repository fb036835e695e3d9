#include "practice_recorder.h"

#include "guard.h"
#include "keeper_texts.h"
#include "window_place.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace hearvex {

record::Attempt makeAttempt(const exercise::AttemptResult& result, const PracticeSession& session,
                            const QDateTime& now, int speedPercent) {
    record::Attempt attempt;
    attempt.time = now;
    attempt.lesson = session.lesson;
    attempt.lesson.sentence = result.sentence;
    attempt.kind = result.kind == exercise::AttemptResult::Kind::Compare
                       ? record::AttemptKind::Compare
                       : record::AttemptKind::Check;
    attempt.wordsRight = result.wordsRight;
    attempt.wordsTotal = result.wordsTotal;
    attempt.missedWords = result.missedWords;
    for (const exercise::WordMiss& miss : result.misses)
        attempt.misses.push_back(
            {miss.word, miss.typed, exercise::missKindName(miss.kind), miss.counted});
    attempt.typedText = result.typedText;
    attempt.speedPercent = speedPercent;
    // A clock set back while practising gives no negative time.
    attempt.secondsSinceStart = static_cast<int>(std::max<qint64>(0, session.started.secsTo(now)));
    attempt.replays = session.replays;
    attempt.lessonStarted = session.started;
    return attempt;
}

namespace {
void showNoticeBox(QWidget* owner, const QString& text) {
    // It does not wait: the learner practises on while it stands.
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Hearvex"), text,
                                QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}
} // namespace

PracticeRecorder::PracticeRecorder(QWidget& owner)
    : m_owner(owner)
    , m_notice([this](const QString& text) { showNoticeBox(&m_owner, text); })
    , m_now([] { return QDateTime::currentDateTime(); }) {}

PracticeRecorder::~PracticeRecorder() {
    delete m_window.data();
    m_keeper.reset(); // its last try at what waits, before the context goes
}

void PracticeRecorder::open(const QString& path) {
    m_reader.reset();
    m_status = {};
    m_keeper = std::make_unique<record::RecordKeeper>(
        path, &m_context, [this](const record::RecordKeeper::Status& status) {
            base::runGuarded("practice record status", [&] { statusChanged(status); });
        });
    m_keeper->start();
}

void PracticeRecorder::settle(int timeoutMs) {
    if (m_keeper)
        m_keeper->settle(timeoutMs);
    QCoreApplication::sendPostedEvents(&m_context);
}

void PracticeRecorder::statusChanged(const record::RecordKeeper::Status& status) {
    const record::RecordKeeper::Status before = m_status;
    m_status = status;
    using State = record::RecordKeeper::State;
    const bool readable = status.state == State::Writable || status.state == State::ReadOnly;
    if (!readable)
        m_reader.reset();
    else if (!m_reader || status.generation != before.generation)
        m_reader = record::PracticeRecord::openReader(m_keeper->path());
    const record::KeeperWords words = record::keeperWords(status, m_keeper->path());
    noteProblem(words.note);
    if (m_showTrouble)
        m_showTrouble(words.line, words.note);
    if (!status.brokenPath.isEmpty() && status.brokenPath != before.brokenPath && m_notice)
        m_notice(words.note);
    // A write that went through changes what the window shows.
    if (status.waiting < before.waiting || status.generation != before.generation)
        refreshWindow();
}

void PracticeRecorder::noteProblem(const QString& note) {
    m_note = note;
    if (record::RecordWindow* window = m_window.data())
        window->setRecordNote(note);
}

void PracticeRecorder::lessonStarted(const QString& recordingPath, const QByteArray& recordingFile,
                                     const QString& sentence) {
    m_session.reset();
    if (sentence.isEmpty())
        return;
    const QFileInfo recording(recordingPath);
    PracticeSession session;
    session.lesson.recordingName = recording.fileName();
    session.lesson.folder = recording.absolutePath();
    session.lesson.sentence = sentence;
    session.lesson.audioHash = recordingHash(QFile::decodeName(recordingFile));
    session.started = m_now();
    m_session = session;
}

void PracticeRecorder::countReplay() {
    if (m_session)
        ++m_session->replays;
}

void PracticeRecorder::record(const exercise::AttemptResult& result, int speedPercent) {
    if (!m_session || !m_keeper || result.sentence.isEmpty())
        return;
    m_keeper->add(makeAttempt(result, *m_session, m_now(), speedPercent));
}

void PracticeRecorder::recordShadowTake(const record::Attempt& attempt) {
    if (m_keeper)
        m_keeper->add(attempt);
}

std::vector<record::DueItem> PracticeRecorder::dueNow() const {
    constexpr int kDueAtOnce = 20;
    return m_reader ? m_reader->due(m_now(), kDueAtOnce) : std::vector<record::DueItem>{};
}

std::optional<record::LessonStanding>
PracticeRecorder::standing(const record::LessonRef& lesson) const {
    return m_reader ? m_reader->standing(lesson) : std::nullopt;
}

QByteArray PracticeRecorder::recordingHash(const QString& path) {
    const QFileInfo info(path);
    Hashed& known = m_hashes[path];
    if (known.size != info.size() || known.modified != info.lastModified())
        known = {info.lastModified(), info.size(), record::hashRecording(path)};
    return known.hash;
}

void PracticeRecorder::toggleWindow() {
    record::RecordWindow* window = m_window.data();
    if (window && window->isVisible()) {
        window->close();
        return;
    }
    showWindow();
}

void PracticeRecorder::showWindow() {
    record::RecordWindow* window = m_window.data();
    if (!window) {
        window = new record::RecordWindow(&m_owner);
        m_window = window;
        window->setDueStarter([this](const record::DueItem& item) {
            if (m_startDue)
                m_startDue(item);
        });
        window->setCsvExporter([this](const QString& path, auto done) {
            if (m_keeper)
                m_keeper->exportCsv(path, true, std::move(done));
        });
        if (m_prepare)
            m_prepare(window);
        placeWindow(*window);
    }
    refreshWindow();
    window->show();
    window->raise();
    window->activateWindow();
}

// Beside the main window, covering as little of it as the screen allows.
void PracticeRecorder::placeWindow(QWidget& window) {
    const QScreen* screen = m_owner.screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    window.move(record::leastCoveringPlace(m_owner.frameGeometry(), window.frameSize(), area));
}

// The figures are read on the keeper's thread and shown when they arrive.
void PracticeRecorder::refreshWindow() {
    record::RecordWindow* window = m_window.data();
    if (!window)
        return;
    window->setRecordNote(m_note);
    window->setExportEnabled(isOpen());
    if (!m_keeper) {
        window->showSummary(record::RecordSummary{}, m_now());
        return;
    }
    const QDateTime now = m_now();
    const QPointer<record::RecordWindow> shown(window);
    m_keeper->readFigures(now, [shown, now](const record::RecordKeeper::Figures& figures) {
        if (!shown)
            return;
        shown->showSummary(figures.summary, now);
        shown->showComingDue(figures.comingDue, now);
    });
}

} // namespace hearvex
