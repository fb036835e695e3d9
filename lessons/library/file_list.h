// The lesson list: the recordings of one folder ("*.txt", any case), sorted
// by name without regard to case, one selected at most. A single click only
// selects; a double-click (or Enter) asks for the selected entry to start.
// The list follows its folder: lessons added or removed on disk while the
// program runs appear or vanish, the selection kept where it can be.
#pragma once

#include "folder_watch.h"
#include "lesson_list.h"

#include <QListWidget>
#include <functional>
#include <vector>

namespace hearvex::lessons {

class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    // The folder listed and followed; a missing folder lists nothing until it is made.
    QString path() const { return m_path; }
    void setPath(const QString& folder);
    // Reads the folder again, keeping the selected file selected (or the
    // nearest position when it has gone); nothing selected stays so. Starts nothing.
    void refresh();

    int listCount() const { return count(); }
    QString entry(int position) const; // the file name at a position; empty outside the list
    // The bytes of that name on disk (which open it even when they are not UTF-8).
    QByteArray entryFile(int position) const;
    // The position of the file named by these bytes; -1 when it is not listed.
    int positionOf(const QByteArray& file) const;

    // The selected position, -1 when nothing is selected.
    int listIndex() const;
    // Selects a position (-1 clears the selection); ControlError outside -1..count-1.
    // Selecting from code never starts a lesson.
    void setListIndex(int position);

    void setDblClickHandler(std::function<void()> handler) { m_dblClick = std::move(handler); }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill(std::vector<LessonEntry> entries);

    QString m_path;
    std::vector<LessonEntry> m_entries; // as listed, one per row
    FolderWatch m_watch;
    std::function<void()> m_dblClick;
};

} // namespace hearvex::lessons
