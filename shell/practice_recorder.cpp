#include "practice_recorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
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
}

void PracticeRecorder::open(const QString& path) {
    record::OpenOutcome outcome;
    m_record = record::PracticeRecord::open(path, &outcome);
    using Status = record::OpenOutcome::Status;
    if (!m_record || outcome.status == Status::Unwritable) {
        m_record.reset();
        noteProblem(
            QStringLiteral("练习记录无法保存（%1）。可以照常练习，但这次的练习不会记下。")
                .arg(outcome.reason.isEmpty() ? QDir::toNativeSeparators(path) : outcome.reason));
        return;
    }
    if (outcome.status == Status::MovedAside) {
        const QString note =
            QStringLiteral("原来的练习记录文件已损坏，已原样保留为 %1，从现在起重新记录。")
                .arg(QDir::toNativeSeparators(outcome.brokenPath));
        noteProblem(note);
        if (m_notice)
            m_notice(note);
    }
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
    if (!m_session || !m_record || result.sentence.isEmpty())
        return;
    const record::Attempt attempt = makeAttempt(result, *m_session, m_now(), speedPercent);
    if (!m_record->add(attempt))
        noteProblem(QStringLiteral("最近一次练习没能记下（%1）。可以照常练习。")
                        .arg(m_record->lastError()));
    else if (!m_note.isEmpty() && m_note.startsWith(QStringLiteral("最近一次")))
        noteProblem(QString()); // written again: the trouble has passed
    refreshWindow();
}

std::vector<record::DueItem> PracticeRecorder::dueNow() const {
    return m_record ? m_record->due(m_now()) : std::vector<record::DueItem>{};
}

std::optional<record::LessonStanding>
PracticeRecorder::standing(const record::LessonRef& lesson) const {
    return m_record ? m_record->standing(lesson) : std::nullopt;
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
        window->setCsvWriter(
            [this](QIODevice& out) { return m_record && m_record->writeCsv(out); });
        if (m_prepare)
            m_prepare(window);
        // Over the middle of the main window, where the learner is looking.
        window->move(m_owner.frameGeometry().center() - window->rect().center());
    }
    refreshWindow();
    window->show();
    window->raise();
    window->activateWindow();
}

void PracticeRecorder::refreshWindow() {
    record::RecordWindow* window = m_window.data();
    if (!window)
        return;
    const QDateTime now = m_now();
    window->showSummary(m_record ? m_record->summary(now) : record::RecordSummary{}, now);
    window->setRecordNote(m_note);
    window->setExportEnabled(m_record != nullptr);
}

} // namespace hearvex
