#include "lesson_list.h"

#include "text_file.h"

#include "text_file.h"
#include <QDir>
#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace hearvex::lessons {

QString lessonFolderName() {
    return QStringLiteral("听力课文");
}

QString lessonFolder(const QString& programDir) {
    return QDir(programDir).filePath(lessonFolderName());
}

namespace {
bool listOrder(const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

bool endsWithIgnoringCase(const QByteArray& name, const char* suffix) {
    const QByteArray end(suffix);
    return name.size() > end.size() && name.right(end.size()).toLower() == end.toLower();
}

QString partText(const QByteArray& part) {
    return text::decodeUtf8OrGbk(part);
}
} // namespace

void sortLessonNames(QStringList& names) {
    std::sort(names.begin(), names.end(), listOrder);
}

QString fileNameText(const QByteArray& nativeName) {
    QStringList parts;
    for (const QByteArray& part : nativeName.split('/'))
        parts << partText(part);
    return parts.join(QLatin1Char('/'));
}

std::vector<LessonEntry> listFolderEntries(const QByteArray& folderPath, const char* suffix) {
    std::vector<LessonEntry> entries;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folderPath.constData()), closedir);
    if (!dir)
        return entries;
    while (const dirent* entry = readdir(dir.get())) {
        const QByteArray name(entry->d_name);
        // Hidden files (and "." and "..") are left out, as a file list leaves them.
        if (name.startsWith('.') || !endsWithIgnoringCase(name, suffix))
            continue;
        // Regular files only, a link counting as what it leads to.
        struct stat st {};
        if (stat((folderPath + '/' + name).constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        entries.push_back({name, fileNameText(name)});
    }
    std::sort(entries.begin(), entries.end(), [](const LessonEntry& a, const LessonEntry& b) {
        if (a.name != b.name)
            return listOrder(a.name, b.name);
        return a.fileName < b.fileName; // two byte names shown alike keep a fixed order
    });
    return entries;
}

std::vector<LessonEntry> listLessonEntries(const QByteArray& folderPath) {
    return listFolderEntries(folderPath, ".txt");
}

int selectionAfterRelist(const std::vector<LessonEntry>& before, int selected,
                         const std::vector<LessonEntry>& after) {
    if (selected < 0 || selected >= static_cast<int>(before.size()) || after.empty())
        return -1;
    const QByteArray& file = before[static_cast<size_t>(selected)].fileName;
    const auto same = std::find_if(after.begin(), after.end(),
                                   [&](const LessonEntry& e) { return e.fileName == file; });
    if (same != after.end())
        return static_cast<int>(same - after.begin());
    return std::min(selected, static_cast<int>(after.size()) - 1);
}

QStringList listLessons(const QString& folder) {
    QStringList names;
    for (const LessonEntry& entry : listLessonEntries(QFile::encodeName(folder)))
        names << entry.name;
    return names;
}

} // namespace hearvex::lessons
