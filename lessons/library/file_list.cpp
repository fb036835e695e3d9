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
}

void FileList::setPaths(const QStringList& folders) {
    m_paths = folders;
    m_watches.clear();
    for (const QString& folder : folders) {
        auto watch = std::make_unique<FolderWatch>();
        connect(watch.get(), &FolderWatch::changed, this,
                [this] { base::runGuarded("File1 refresh", [this] { refresh(); }); });
        watch->setFolder(folder);
        m_watches.push_back(std::move(watch));
    }
    fill(listAll());
}

std::vector<LessonEntry> FileList::listAll() const {
    std::vector<LessonEntry> all;
    for (const QString& folder : m_paths) {
        const QByteArray folderBytes = QFile::encodeName(folder);
        for (LessonEntry& entry : listLessonEntries(folderBytes))
            all.push_back({folderBytes + '/' + entry.fileName, std::move(entry.name)});
    }
    return all;
}

void FileList::refresh() {
    std::vector<LessonEntry> now = listAll();
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
    m_folderOf.clear();
    for (const LessonEntry& lesson : m_entries) {
        const qsizetype slash = lesson.fileName.lastIndexOf('/');
        const QByteArray folder = lesson.fileName.left(slash);
        int index = 0;
        while (index + 1 < m_paths.size() && QFile::encodeName(m_paths.at(index)) != folder)
            ++index;
        m_folderOf.push_back(index);
        auto* it = new QListWidgetItem(lesson.name, this);
        it->setData(kFileRole, lesson.fileName.mid(slash + 1));
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

QString FileList::entryFolder(int position) const {
    if (position < 0 || position >= static_cast<int>(m_folderOf.size()))
        return {};
    return m_paths.value(m_folderOf[static_cast<size_t>(position)]);
}

int FileList::positionOf(const QByteArray& file, const QString& folder) const {
    const QByteArray wanted = QFile::encodeName(folder.isEmpty() ? path() : folder) + '/' + file;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].fileName == wanted)
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

void FileList::setEscapeHandler(std::function<void()> handler) {
    m_escape = std::move(handler);
    // Read by the program's key filter, which otherwise takes Esc everywhere.
    setProperty("leavesOnEscape", bool(m_escape));
}

void FileList::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const std::function<void()>& onEnter = m_enter ? m_enter : m_dblClick;
    if (enter && onEnter) {
        base::runGuarded("File1 Enter", onEnter);
        return;
    }
    if (event->key() == Qt::Key_Escape && m_escape) {
        base::runGuarded("File1 Esc", m_escape);
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace hearvex::lessons
