// Where an import puts its lessons until they are all there: a hidden folder
// inside the lesson folder, renamed into place at the end, so an import that
// fails, is cancelled or is killed never leaves half a lesson behind. A killed
// import's hidden folder is removed by the next import into that folder.
#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <utility>
#include <vector>

namespace hearvex::lessons {

// The files of the lessons named NAME-<digits> in folder (recordings
// NAME-<digits>.txt and their texts), sorted.
QStringList lessonFilesNamed(const QString& folder, const QString& name);

class LessonStaging {
public:
    LessonStaging() = default;
    LessonStaging(const LessonStaging&) = delete;
    LessonStaging& operator=(const LessonStaging&) = delete;
    // Removes the staging folder, and the lesson folder too when this import
    // made it and committed nothing.
    ~LessonStaging();

    // Creates the lesson folder if missing, and the staging folder in it.
    bool begin(const QString& folder, QString* error);
    QString stagedPath(const QString& fileName) const;

    // Renames staged files (staged name, final name) into the lesson folder
    // after moving `replaced` out of the way. On failure everything is put
    // back as it was.
    bool commit(const std::vector<std::pair<QString, QString>>& files, const QStringList& replaced,
                QString* error);

private:
    QString m_folder;
    bool m_createdFolder = false;
    bool m_committed = false;
    std::unique_ptr<QTemporaryDir> m_staging;
    std::unique_ptr<QLockFile> m_lock; // tells a live import's staging from a killed one's
};

} // namespace hearvex::lessons
