#include "folder_watch.h"

#include <QDir>
#include <QFileInfo>

namespace hearvex::lessons {

namespace {
// Long enough to take a burst of renames in one, short enough to feel at once.
constexpr int kSettleMs = 150;
} // namespace

FolderWatch::FolderWatch(QObject* parent)
    : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &FolderWatch::changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::noteChange);
}

void FolderWatch::setFolder(const QString& folder) {
    if (const QStringList watched = m_watcher.directories(); !watched.isEmpty())
        m_watcher.removePaths(watched);
    m_folder = folder.isEmpty() ? QString() : QDir::cleanPath(QDir(folder).absolutePath());
    m_parent = m_folder.isEmpty() ? QString() : QFileInfo(m_folder).absolutePath();
    arm();
}

void FolderWatch::arm() {
    // A watched folder that goes away drops out of the watcher; one made (or
    // made again) is seen through its parent and watched from then on.
    const QStringList watched = m_watcher.directories();
    for (const QString& dir : {m_parent, m_folder})
        if (!dir.isEmpty() && !watched.contains(dir) && QFileInfo(dir).isDir())
            m_watcher.addPath(dir);
}

void FolderWatch::noteChange() {
    arm();
    // Not restarted by each change, so a long run of changes is still told.
    if (!m_settle.isActive())
        m_settle.start();
}

} // namespace hearvex::lessons
