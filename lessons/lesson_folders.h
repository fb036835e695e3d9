// Where the lessons are. The lesson folder beside the program comes first; where
// the program cannot write there (installed by a package, its folder is root's),
// the learner's own lesson folder under $XDG_DATA_HOME follows it: the library
// lists both, and lessons imported by the learner go into the learner's own.
#pragma once

#include <QString>
#include <QStringList>

namespace hearvex::lessons {

struct LessonFolders {
    QString program; // the lesson folder beside the program
    QString own;     // the learner's own; empty where the program's folder can be written

    // The folders listed, in order.
    QStringList listed() const;
    // Where imported lessons go: the learner's own folder where there is one.
    QString importFolder() const { return own.isEmpty() ? program : own; }
    // Makes the learner's own folder and those above it (~/.local/share may not
    // exist yet) where there is one: when it is first needed. False when it
    // cannot be made.
    bool makeOwnFolder() const;
};

// $XDG_DATA_HOME/hearvex/听力课文 (~/.local/share when XDG_DATA_HOME is unset).
QString ownLessonFolder();

// Whether this process could make or change files in folder: the folder itself
// where it exists, else the nearest folder above it that exists (which would
// hold it once made).
bool canWriteFolder(const QString& folder);

// The lesson folders of the program in programDir, for this process.
LessonFolders lessonFoldersOf(const QString& programDir);

} // namespace hearvex::lessons
