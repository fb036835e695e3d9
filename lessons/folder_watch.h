// Tells when the files of a folder may have changed: files added, removed or
// renamed, and the folder itself made, removed or renamed while it is watched.
// A burst of changes (an import renaming its lessons into place) is told once.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace hearvex::lessons {

class FolderWatch : public QObject {
    Q_OBJECT
public:
    explicit FolderWatch(QObject* parent = nullptr);

    // Watches folder, and the folder holding it so that the folder being made
    // later is seen too; an empty folder watches nothing.
    void setFolder(const QString& folder);

signals:
    void changed();

private:
    void arm();
    void noteChange();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_folder;
    QString m_parent;
};

} // namespace hearvex::lessons
