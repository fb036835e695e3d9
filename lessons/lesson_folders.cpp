#include "lesson_folders.h"

#include "lesson_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

namespace hearvex::lessons {

QStringList LessonFolders::listed() const {
    return own.isEmpty() ? QStringList{program} : QStringList{program, own};
}

bool LessonFolders::makeOwnFolder() const {
    return own.isEmpty() || QDir().mkpath(own);
}

QString ownLessonFolder() {
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(dataHome).filePath(QStringLiteral("hearvex/") + lessonFolderName());
}

bool canWriteFolder(const QString& folder) {
    QString at = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!QFileInfo::exists(at) && at != QDir::rootPath())
        at = QFileInfo(at).absolutePath();
    // access() asks the kernel, which knows the owner, the groups, ACLs and
    // read-only mounts alike.
    return ::access(QFile::encodeName(at).constData(), W_OK | X_OK) == 0;
}

LessonFolders lessonFoldersOf(const QString& programDir) {
    LessonFolders folders;
    folders.program = lessonFolder(programDir);
    if (!canWriteFolder(folders.program))
        folders.own = ownLessonFolder();
    return folders;
}

} // namespace hearvex::lessons
