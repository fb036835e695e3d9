#include "due_lessons.h"

#include "dictation.h"
#include "lesson_file.h"
#include "lesson_match.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace hearvex {

namespace {
// At most this many due sentences are looked for at one press: each missing
// one costs a reading of every lesson text listed.
constexpr int kMaxTried = 5;

QString sentenceInTextFile(const QByteArray& textFile) {
    return exercise::sentenceOf(lessons::readLessonTextFile(textFile).text);
}
} // namespace

DueLessons::DueLessons(PracticeRecorder& recorder, std::function<lessons::Form3&()> library,
                       lessons::LessonHost& host, controls::Label* lbDue)
    : m_recorder(recorder)
    , m_library(std::move(library))
    , m_host(host)
    , m_lbDue(lbDue) {
    m_clearNote.setSingleShot(true);
    m_clearNote.setInterval(kNoteMs);
    QObject::connect(&m_clearNote, &QTimer::timeout, [this] { m_lbDue->setCaption(QString()); });
}

void DueLessons::startNextDue() {
    if (!m_recorder.isOpen()) {
        say(QStringLiteral("练习记录没有打开，无法复习"));
        return;
    }
    const std::vector<record::DueItem> due = m_recorder.dueNow();
    if (due.empty()) {
        say(QStringLiteral("现在没有要复习的句子"));
        return;
    }
    const int tries = std::min(kMaxTried, static_cast<int>(due.size()));
    for (int i = 0; i < tries; ++i)
        if (start(due[static_cast<std::size_t>(i)]))
            return;
}

bool DueLessons::start(const record::DueItem& item) {
    lessons::Form3& library = m_library();
    record::ListedLessons listed;
    std::vector<lessons::ListedLesson> lessons;
    for (int i = 0; i < library.lessonCount(); ++i) {
        lessons.push_back(library.lessonAt(i));
        listed.names << lessons.back().name;
    }
    // Each lesson is read from the folder it is listed from: the learner's own
    // lessons follow those beside the program.
    const auto pathOf = [&](int i, const QByteArray& file) {
        const lessons::ListedLesson& lesson = lessons[static_cast<std::size_t>(i)];
        return QFile::encodeName(lesson.folder) + '/' + file;
    };
    listed.sentenceOf = [&](int i) {
        return sentenceInTextFile(
            pathOf(i, lessons::textFileNameBytes(lessons[static_cast<std::size_t>(i)].file)));
    };
    listed.hashOf = [&](int i) {
        return m_recorder.recordingHash(
            QFile::decodeName(pathOf(i, lessons[static_cast<std::size_t>(i)].file)));
    };
    const int position = record::findLesson(item.lesson, listed);
    if (position >= 0) {
        m_lbDue->setCaption(QString());
        library.startLessonAt(position); // as a double-click on it
        return true;
    }
    if (startWhereRecorded(item.lesson))
        return true;
    say(QStringLiteral("找不到要复习的课文：%1").arg(item.lesson.recordingName));
    return false;
}

bool DueLessons::startWhereRecorded(const record::LessonRef& lesson) {
    const QString recording = QDir(lesson.folder).filePath(lesson.recordingName);
    if (!QFileInfo(recording).isFile())
        return false;
    const QByteArray file = QFile::encodeName(recording);
    const lessons::LessonText text = lessons::readLessonTextFile(
        QFile::encodeName(lesson.folder) + '/' +
        lessons::textFileNameBytes(QFile::encodeName(lesson.recordingName)));
    if (exercise::sentenceOf(text.text) != lesson.sentence)
        return false;
    if (!lesson.audioHash.isEmpty() && m_recorder.recordingHash(recording) != lesson.audioHash)
        return false;
    m_lbDue->setCaption(QString());
    m_host.startLesson(text.text, recording, file);
    return true;
}

void DueLessons::say(const QString& note) {
    m_lbDue->setCaption(note);
    m_clearNote.start();
}

} // namespace hearvex
