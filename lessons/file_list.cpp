#include "file_list.h"

#include "control_error.h"
#include "guard.h"
#include "lesson_list.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>

namespace hearvex::lessons {

namespace {
constexpr int kFileRole = Qt::UserRole; // the bytes of the entry's name
} // namespace

FileList::FileList(QWidget* parent)
    : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
}

void FileList::setPath(const QString& folder) {
    m_path = folder;
    clear();
    for (const LessonEntry& lesson : listLessonEntries(QFile::encodeName(folder))) {
        auto* it = new QListWidgetItem(lesson.name, this);
        it->setData(kFileRole, lesson.fileName);
    }
}

QString FileList::entry(int position) const {
    const QListWidgetItem* it = item(position);
    return it ? it->text() : QString();
}

QByteArray FileList::entryFile(int position) const {
    const QListWidgetItem* it = item(position);
    return it ? it->data(kFileRole).toByteArray() : QByteArray();
}

int FileList::listIndex() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void FileList::setListIndex(int position) {
    if (position < -1 || position >= count())
        throw controls::ControlError("invalid property value: ListIndex " +
                                     std::to_string(position));
    if (position == -1) {
        clearSelection();
        return;
    }
    setCurrentRow(position, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(position));
}

void FileList::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && m_dblClick)
        controls::runGuarded("File1 double-click", m_dblClick);
}

void FileList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_dblClick) {
        controls::runGuarded("File1 Enter", m_dblClick);
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace hearvex::lessons
