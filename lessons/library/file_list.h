// The lesson list: the recordings of one folder ("*.txt", any case), sorted
// by name without regard to case, one selected at most. A single click only
// selects; a double-click (or Enter) asks for the selected entry to start, and
// Esc asks to leave the list.
// The list follows its folder: lessons added or removed on disk while the
// program runs appear or vanish, the selection kept where it can be.
#pragma once

#include "folder_watch.h"
#include "lesson_list.h"

#include <QListWidget>
#include <functional>
#include <memory>
#include <vector>

namespace hearvex::lessons {

class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    // The folder listed and followed; a missing folder lists nothing until it is made.
    QString path() const { return m_paths.value(0); }
    void setPath(const QString& folder) { setPaths({folder}); }
    // Several folders listed one after the other, each in its own order and followed.
    void setPaths(const QStringList& folders);
    // Reads the folder again, keeping the selected file selected (or the
    // nearest position when it has gone); nothing selected stays so. Starts nothing.
    void refresh();

    int listCount() const { return count(); }
    QString entry(int position) const; // the file name at a position; empty outside the list
    // The bytes of that name on disk (which open it even when they are not UTF-8).
    QByteArray entryFile(int position) const;
    // The folder of the entry at a position; empty outside the list.
    QString entryFolder(int position) const;
    // The position of the file named by these bytes in folder (the first
    // folder when none is given); -1 when it is not listed.
    int positionOf(const QByteArray& file, const QString& folder = {}) const;

    // The selected position, -1 when nothing is selected.
    int listIndex() const;
    // Selects a position (-1 clears the selection); ControlError outside -1..count-1.
    // Selecting from code never starts a lesson.
    void setListIndex(int position);

    void setDblClickHandler(std::function<void()> handler) { m_dblClick = std::move(handler); }
    // Enter and Return: this instead of the double-click's handler, when given.
    void setEnterHandler(std::function<void()> handler) { m_enter = std::move(handler); }
    // Esc: the list is left (the keys' table lets Esc through to it).
    void setEscapeHandler(std::function<void()> handler);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Every folder's entries in turn, each named by its folder's bytes and its
    // own, so that a name in two folders is two entries.
    std::vector<LessonEntry> listAll() const;
    void fill(std::vector<LessonEntry> entries);

    QStringList m_paths;
    std::vector<LessonEntry> m_entries; // as listed, one per row: folder/name bytes
    std::vector<int> m_folderOf;        // the index into m_paths of each row
    std::vector<std::unique_ptr<FolderWatch>> m_watches;
    std::function<void()> m_dblClick;
    std::function<void()> m_enter;
    std::function<void()> m_escape;
};

} // namespace hearvex::lessons
