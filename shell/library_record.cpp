#include "library_record.h"

#include "dictation.h"
#include "guard.h"
#include "lesson_file.h"
#include "record_texts.h"

#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QMenu>
#include <QToolTip>

namespace hearvex {

LibraryRecord::LibraryRecord(lessons::Form3& library, PracticeRecorder& recorder,
                             std::function<void()> showRecord, std::function<void()> startNextDue)
    : QObject(&library)
    , m_library(library)
    , m_recorder(recorder)
    , m_showRecord(std::move(showRecord))
    , m_startNextDue(std::move(startNextDue)) {
    lessons::FileList* list = m_library.File1;
    list->viewport()->installEventFilter(this);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        base::runGuarded("File1 context menu", [&] { showMenu(at); });
    });
}

QString LibraryRecord::toolTipOf(int position) {
    lessons::FileList* list = m_library.File1;
    const QByteArray folder = QFile::encodeName(list->path());
    const QByteArray file = list->entryFile(position);
    record::LessonRef lesson;
    lesson.recordingName = list->entry(position);
    lesson.folder = list->path();
    lesson.sentence = exercise::sentenceOf(
        lessons::readLessonTextFile(folder + '/' + lessons::textFileNameBytes(file)).text);
    lesson.audioHash = hashOf(QFile::decodeName(folder + '/' + file));
    const std::optional<record::LessonStanding> standing = m_recorder.standing(lesson);
    if (!standing)
        return QStringLiteral("还没有练习过");
    return record::standingToolTip(standing->lastResult, standing->lastTime, standing->due,
                                   QDateTime::currentDateTime());
}

QByteArray LibraryRecord::hashOf(const QString& path) {
    const QFileInfo info(path);
    Hashed& known = m_hashes[path];
    if (known.size != info.size() || known.modified != info.lastModified()) {
        known = {info.lastModified(), info.size(), record::hashRecording(path)};
    }
    return known.hash;
}

bool LibraryRecord::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || !m_recorder.isOpen())
        return QObject::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    lessons::FileList* list = m_library.File1;
    const int position = list->indexAt(help->pos()).row();
    if (position < 0)
        return QObject::eventFilter(watched, event);
    QString tip;
    base::runGuarded("File1 tooltip", [&] { tip = toolTipOf(position); });
    QToolTip::showText(help->globalPos(), tip, list->viewport(),
                       list->visualRect(list->model()->index(position, 0)));
    return true;
}

void LibraryRecord::showMenu(const QPoint& at) {
    QMenu menu(m_library.File1);
    menu.addAction(QStringLiteral("练习记录（F10）"), m_showRecord);
    menu.addAction(QStringLiteral("复习到期的句子（F12）"), m_startNextDue);
    menu.exec(m_library.File1->viewport()->mapToGlobal(at));
}

} // namespace hearvex
