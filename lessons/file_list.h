// The lesson list: the recordings of one folder ("*.txt", any case), sorted
// by name without regard to case, one selected at most. A single click only
// selects; a double-click (or Enter) asks for the selected entry to start.
#pragma once

#include <QListWidget>
#include <functional>

namespace hearvex::lessons {

class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    // The folder listed; a missing folder lists nothing.
    QString path() const { return m_path; }
    void setPath(const QString& folder);

    int listCount() const { return count(); }
    QString entry(int position) const; // the file name at a position; empty outside the list
    // The bytes of that name on disk (which open it even when they are not UTF-8).
    QByteArray entryFile(int position) const;

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
    QString m_path;
    std::function<void()> m_dblClick;
};

} // namespace hearvex::lessons
