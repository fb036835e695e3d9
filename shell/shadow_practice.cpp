#include "shadow_practice.h"

#include "fonts.h"
#include "guard.h"
#include "practice_key_table.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace hearvex {

record::Attempt shadowAttemptOf(const shadow::ShadowAttempt& take, const PracticeSession& session) {
    record::Attempt attempt;
    attempt.time = take.time;
    attempt.lesson = session.lesson;
    attempt.kind = record::AttemptKind::Shadow;
    attempt.wordsRight = take.wordsSaid;
    attempt.wordsTotal = take.wordsTotal;
    attempt.missedWords = take.missedWords;
    attempt.secondsSinceStart = int(std::lround(take.seconds)); // a take: its length
    attempt.lessonStarted = session.started;
    return attempt;
}

ShadowPractice::ShadowPractice(QWidget& window, PracticeRecorder& recorder,
                               const QString& programDir)
    : m_owner(window)
    , m_recorder(recorder)
    , m_programDir(programDir) {
    m_button = new QPushButton(QStringLiteral("跟读"), &window);
    m_button->setObjectName(QStringLiteral("cmdShadow"));
    m_button->setFont(controls::interfaceFont(12));
    m_button->setFocusPolicy(Qt::NoFocus); // the typing box keeps the focus
    // Left of 词典, in the toolbar's row, looking like its buttons.
    m_button->setGeometry(380, 442, 60, 26);
    m_button->setStyleSheet(
        QStringLiteral("QPushButton { color: white; font-weight: bold; background: #2b3f66;"
                       " border: 1px solid #9fb4d8; border-radius: 4px; }"
                       "QPushButton:pressed { background: #1c2a47; }"));
    const PracticeKey* key = practiceKeyOf(PracticeAction::Shadow);
    m_button->setToolTip(QStringLiteral("跟读：录下你读这一句，和原声逐词比较（%1）")
                             .arg(key ? key->name() : QString()));
    QObject::connect(m_button, &QPushButton::clicked, m_button,
                     [this] { base::runGuarded("cmdShadow click", [this] { recordTake(); }); });
}

void ShadowPractice::lessonStarted(const QByteArray& recordingFile, const QString& sentence) {
    m_lesson = {recordingFile, QFileInfo(QFile::decodeName(recordingFile)).fileName(), sentence};
    if (m_window)
        m_window->setLesson(m_lesson);
}

shadow::ShadowWindow& ShadowPractice::openWindow() {
    if (!m_window) {
        const QString tool = QDir(m_programDir).filePath(QStringLiteral("hearvex-lesson"));
        m_window = new shadow::ShadowWindow(&m_owner, tool);
        if (m_prepare)
            m_prepare(m_window);
        m_window->setAttemptRecorder([this](const shadow::ShadowAttempt& take) {
            const std::optional<PracticeSession>& session = m_recorder.session();
            if (session && session->lesson.sentence == take.lesson.sentence)
                m_recorder.recordShadowTake(shadowAttemptOf(take, *session));
        });
        m_window->setLesson(m_lesson);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return *m_window;
}

void ShadowPractice::quitting() {
    if (m_window)
        m_window->endForQuit();
}

void ShadowPractice::recordTake() {
    if (m_lesson.sentence.isEmpty())
        return;
    openWindow().toggleRecording();
}

} // namespace hearvex
