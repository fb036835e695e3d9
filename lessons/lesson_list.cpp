#include "lesson_list.h"

#include <QDir>
#include <algorithm>

namespace hearvex::lessons {

QString lessonFolderName() {
    return QStringLiteral("听力课文");
}

QString lessonFolder(const QString& programDir) {
    return QDir(programDir).filePath(lessonFolderName());
}

void sortLessonNames(QStringList& names) {
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
}

QStringList listLessons(const QString& folder) {
    QDir dir(folder);
    if (!dir.exists())
        return {};
    // Without QDir::CaseSensitive the pattern matches whatever the case.
    QStringList names = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::NoSort);
    sortLessonNames(names);
    return names;
}

} // namespace hearvex::lessons
