#include "file_list.h"

#include "control_error.h"
#include "guard.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace hearvex::lessons {

namespace {
constexpr int kFileRole = Qt::UserRole; // the bytes of the entry's name

bool sameFiles(const std::vector<LessonEntry>& a, const std::vector<LessonEntry>& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(),
        [](const LessonEntry& x, const LessonEntry& y) { return x.fileName == y.fileName; });
}
} // namespace

FileList::FileList(QWidget* parent)
    : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    connect(&m_watch, &FolderWatch::changed, this,
            [this] { base::runGuarded("File1 refresh", [this] { refresh(); }); });
}

void FileList::setPath(const QString& folder) {
    m_path = folder;
    fill(listLessonEntries(QFile::encodeName(folder)));
    m_watch.setFolder(folder);
}

void FileList::refresh() {
    std::vector<LessonEntry> now = listLessonEntries(QFile::encodeName(m_path));
    if (sameFiles(now, m_entries))
        return; // the folder changed, its lessons did not: nothing moves
    const int selected = selectionAfterRelist(m_entries, listIndex(), now);
    const int scrolled = verticalScrollBar()->value();
    fill(std::move(now));
    verticalScrollBar()->setValue(scrolled);
    setListIndex(selected);
}

void FileList::fill(std::vector<LessonEntry> entries) {
    clear();
    m_entries = std::move(entries);
    for (const LessonEntry& lesson : m_entries) {
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

int FileList::positionOf(const QByteArray& file) const {
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].fileName == file)
            return static_cast<int>(i);
    return -1;
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
        base::runGuarded("File1 double-click", m_dblClick);
}

void FileList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_dblClick) {
        base::runGuarded("File1 Enter", m_dblClick);
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace hearvex::lessons
