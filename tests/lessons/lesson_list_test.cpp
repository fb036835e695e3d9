// The lesson folder's list: which names it holds and in which order.
#include "lesson_list.h"
#include "lessons/lesson_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hearvex::lessons;
using hearvex::testing::writeBytes;

namespace {
QStringList listOf(const QStringList& files, const QStringList& folders = {}) {
    QTemporaryDir dir;
    for (const QString& name : files)
        writeBytes(dir.filePath(name), "x");
    for (const QString& name : folders)
        QDir(dir.path()).mkdir(name);
    return listLessons(dir.path());
}
} // namespace

TEST(LessonList, ListsTxtFilesOfAnyCaseSortedByNameWithoutRegardToCase) {
    const QStringList names = listOf(
        {"unit2.txt", "unit10.txt", "UNIT1.TXT", "b.Txt", "unit2.kvx", "notes.txt.bak", "readme"});
    EXPECT_EQ(names, QStringList({"b.Txt", "UNIT1.TXT", "unit10.txt", "unit2.txt"}));
}

TEST(LessonList, LeavesOutFoldersAndHiddenFiles) {
    EXPECT_EQ(listOf({"a.txt", ".hidden.txt"}, {"folder.txt"}), QStringList({"a.txt"}));
}

TEST(LessonList, AMissingFolderListsNothing) {
    QTemporaryDir dir;
    EXPECT_TRUE(listLessons(dir.filePath("nowhere")).isEmpty());
    EXPECT_EQ(lessonFolder(QStringLiteral("/opt/hearvex")),
              QStringLiteral("/opt/hearvex/听力课文"));
}

TEST(LessonList, NamesEqualButForCaseKeepAFixedOrder) {
    QStringList names = {"b.txt", "A.txt", "a.txt", "B.txt"};
    sortLessonNames(names);
    EXPECT_EQ(names, QStringList({"A.txt", "a.txt", "B.txt", "b.txt"}));
}

TEST(LessonList, ListsEveryEntryWhateverTheBytesOfItsName) {
    QTemporaryDir dir;
    hearvex::testing::ByteNamedFiles byteNamed;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray gbk("\xB5\xDA\xB6\xFE\xBF\xCE.txt"); // 第二课.txt in GBK
    writeBytes(dir.filePath("x"), "sound");
    ASSERT_TRUE(hearvex::testing::moveToByteName(dir.filePath("x"), byteNamed(folder + "/" + gbk)));
    writeBytes(dir.filePath(QStringLiteral("第一课.txt")), "sound");
    writeBytes(dir.filePath("lesson3.TXT"), "sound");

    const std::vector<LessonEntry> entries = listLessonEntries(folder);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, QStringLiteral("lesson3.TXT"));
    EXPECT_EQ(entries[1].name, QStringLiteral("第一课.txt"));
    EXPECT_EQ(entries[1].fileName, QStringLiteral("第一课.txt").toUtf8());
    EXPECT_EQ(entries[2].name, QStringLiteral("第二课.txt"));
    EXPECT_EQ(entries[2].fileName, gbk); // the bytes that open it
    EXPECT_EQ(listLessons(dir.path()), QStringList({"lesson3.TXT", QStringLiteral("第一课.txt"),
                                                    QStringLiteral("第二课.txt")}));
    EXPECT_EQ(fileNameText("/\xE8\xAF\xBE/" + gbk), QStringLiteral("/课/第二课.txt"));
}
