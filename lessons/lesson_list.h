// The lesson folder beside the program and the recordings it lists.
#pragma once

#include <QString>
#include <QStringList>

namespace hearvex::lessons {

// The folder name of the lessons, in the program's directory.
QString lessonFolderName();
// programDir joined with the lesson folder's name.
QString lessonFolder(const QString& programDir);

// The names of the folder's files matching "*.txt" without regard to case
// (UNIT1.TXT is listed), sorted by name without regard to case (unit10.txt
// before unit2.txt; names equal but for case in code order). Hidden files,
// folders and special files are left out. A missing folder gives an empty list.
QStringList listLessons(const QString& folder);

// Orders names as the list does.
void sortLessonNames(QStringList& names);

} // namespace hearvex::lessons
