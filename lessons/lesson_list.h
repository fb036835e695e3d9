// The lesson folder beside the program and the recordings it lists.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

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

// A file of a lesson folder: its name as the bytes on disk, which open it, and
// as the list shows it. A lesson pack unzipped from Windows often has names in
// GBK bytes, which are not UTF-8 and which no QString path can name.
struct LessonEntry {
    QByteArray fileName; // the name's bytes on disk
    QString name;        // as shown: UTF-8, or GBK when the bytes are not UTF-8
};

// A file name, or a path part by part, as shown: UTF-8 when its bytes are
// valid UTF-8, else GBK (an undecodable byte becoming U+FFFD).
QString fileNameText(const QByteArray& nativeName);

// The files of the folder at folderPath (the bytes of its path) whose names end
// in suffix without regard to case, with the same filter and order as
// listLessons: every entry, whatever bytes its name has.
std::vector<LessonEntry> listFolderEntries(const QByteArray& folderPath, const char* suffix);
// The lesson recordings ("*.txt") of such a folder.
std::vector<LessonEntry> listLessonEntries(const QByteArray& folderPath);

// The position to select once a list is read again: the same file (by the
// bytes of its name) where it is still listed, else the position it had, the
// last one when the list got shorter; nothing selected (-1) stays so.
int selectionAfterRelist(const std::vector<LessonEntry>& before, int selected,
                         const std::vector<LessonEntry>& after);

} // namespace hearvex::lessons
