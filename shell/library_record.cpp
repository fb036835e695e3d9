#include "library_record.h"

#include "dictation.h"
#include "lesson_file.h"
#include "record_texts.h"

#include <QFile>

namespace hearvex {

LibraryRecord::LibraryRecord(lessons::Form3& library, PracticeRecorder& recorder,
                             std::function<void()> showRecord, std::function<void()> startNextDue)
    : QObject(&library)
    , m_library(library)
    , m_recorder(recorder) {
    // Without the record the list keeps its own (no) tooltips.
    m_library.setToolTipSource(
        [this](int position) { return m_recorder.isOpen() ? toolTipOf(position) : QString(); });
    m_library.setMenuCommands({{QStringLiteral("练习记录（F10）"), std::move(showRecord)},
                               {QStringLiteral("复习到期的句子（F12）"), std::move(startNextDue)}});
}

QString LibraryRecord::toolTipOf(int position) {
    const lessons::ListedLesson listed = m_library.lessonAt(position);
    const QByteArray folder = QFile::encodeName(listed.folder);
    record::LessonRef lesson;
    lesson.recordingName = listed.name;
    lesson.folder = listed.folder;
    lesson.sentence = exercise::sentenceOf(
        lessons::readLessonTextFile(folder + '/' + lessons::textFileNameBytes(listed.file)).text);
    lesson.audioHash = m_recorder.recordingHash(QFile::decodeName(folder + '/' + listed.file));
    const std::optional<record::LessonStanding> standing = m_recorder.standing(lesson);
    if (!standing)
        return QStringLiteral("还没有练习过");
    return record::standingToolTip(standing->lastResult, standing->lastTime, standing->due,
                                   QDateTime::currentDateTime());
}

} // namespace hearvex
