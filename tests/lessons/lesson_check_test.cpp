// The folder check of hearvex-lesson, and the tool itself run as a learner's teacher would.
#include "lesson_check.h"
#include "lessons/lesson_files.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hearvex::lessons;
using hearvex::testing::writeBytes;
using hearvex::testing::writeLessonText;

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& args) {
    QProcess tool;
    tool.start(QStringLiteral(HEARVEX_LESSON_TOOL), args);
    if (!tool.waitForFinished(30000))
        return {};
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}

} // namespace

TEST(CheckLessonFolder, ListsLessonsInTheProgramsOrderWithTheirFaults) {
    QTemporaryDir dir;
    const auto at = [&](const char* name) { return dir.filePath(QString::fromUtf8(name)); };
    writeBytes(at("unit1.txt"), "sound");
    writeLessonText(at("unit1.kvx"), QStringLiteral("Good morning.\r\nA note."));
    writeBytes(at("unit10.txt"), "sound"); // no text
    writeBytes(at("unit2.txt"), "bad");
    writeLessonText(at("unit2.kvx"), QStringLiteral("Fine."));
    writeBytes(at("UNIT3.TXT"), "sound"); // its text file would be itself
    writeBytes(at("unit4.txt"), "sound");
    writeLessonText(at("unit4.kvx"), QStringLiteral("\nThe sentence is on line two."));
    writeBytes(at("unit5.txt"), "sound");
    writeBytes(at("unit5.kvx"), QByteArray(static_cast<int>(kMaxLessonTextBytes) + 1, 'a'));
    writeLessonText(at("orphan.kvx"), QStringLiteral("No recording."));

    const FolderReport report = checkLessonFolder(dir.path(), [](const QString& path) {
        return path.endsWith(QLatin1String("unit2.txt")) ? QStringLiteral("not audio") : QString();
    });
    ASSERT_TRUE(report.folderExists);
    ASSERT_EQ(report.lessons.size(), 6u);
    QStringList order;
    for (const LessonReport& lesson : report.lessons)
        order << QStringLiteral("%1 %2 %3")
                     .arg(lesson.number)
                     .arg(lesson.recording, QString::number(lesson.problems.size()));
    EXPECT_EQ(order, QStringList({"1 unit1.txt 0", "2 unit10.txt 1", "3 unit2.txt 1",
                                  "4 UNIT3.TXT 1", "5 unit4.txt 1", "6 unit5.txt 1"}));
    EXPECT_EQ(report.lessons[0].sentence, QStringLiteral("Good morning."));
    EXPECT_TRUE(report.lessons[1].problems[0].contains(QLatin1String("missing")));
    EXPECT_TRUE(report.lessons[2].problems[0].contains(QLatin1String("not audio")));
    EXPECT_TRUE(report.lessons[3].problems[0].contains(QLatin1String("recording itself")));
    EXPECT_TRUE(report.lessons[4].problems[0].contains(QLatin1String("first line")));
    EXPECT_TRUE(report.lessons[5].problems[0].contains(QLatin1String("32767")));
    EXPECT_EQ(report.strayTexts, QStringList({"orphan.kvx"}));
}

TEST(CheckLessonFolder, AMissingFolderIsSaidSo) {
    QTemporaryDir dir;
    EXPECT_FALSE(checkLessonFolder(dir.filePath("none"), {}).folderExists);
}

TEST(HearvexLessonTool, EncodesAndDecodesPlainText) {
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.txt");
    const QString coded = dir.filePath("lesson.kvx");
    writeBytes(plain, "  The train is late.\nLine two: \xE7\x81\xAB\xE8\xBD\xA6\n\n");

    ToolRun run = runTool({"encode", plain, coded});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const LessonText read = readLessonText(coded);
    EXPECT_EQ(read.text, QStringLiteral("The train is late.\r\nLine two: 火车"));

    run = runTool({"decode", coded});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("The train is late.\nLine two: 火车\n"));
}

TEST(HearvexLessonTool, RefusesBadInputWithAClearMessage) {
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.txt");
    const QString coded = dir.filePath("out.kvx");

    writeBytes(plain, "Fine \xF0\x9F\x98\x80\n");
    ToolRun run = runTool({"encode", plain, coded});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QLatin1String("GBK"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(coded));

    writeBytes(plain, "\nThe sentence is late.");
    run = runTool({"encode", plain, coded});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QLatin1String("first line")));

    writeBytes(plain, "Not \xFF UTF-8");
    EXPECT_EQ(runTool({"encode", plain, coded}).exitCode, 1);

    writeBytes(plain, QByteArray(static_cast<int>(kMaxLessonTextBytes) + 1, 'a'));
    run = runTool({"encode", plain, coded});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QLatin1String("32767")));

    run = runTool({"decode", dir.filePath("none.kvx")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QLatin1String("no such file")));

    EXPECT_EQ(runTool({"encode", plain}).exitCode, 2);
    EXPECT_EQ(runTool({}).exitCode, 2);
}

TEST(HearvexLessonTool, ChecksAFolderWithTheEnginesDecoder) {
    QTemporaryDir dir;
    ASSERT_TRUE(hearvex::testing::writeRecording(dir.filePath("a.txt"), 1.0));
    writeLessonText(dir.filePath("a.kvx"), QStringLiteral("A short one."));
    ToolRun run = runTool({"check", dir.path()});
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QLatin1String("1  a.txt  A short one.")));

    writeBytes(dir.filePath("b.txt"), "plain words, not a recording");
    writeLessonText(dir.filePath("b.kvx"), QStringLiteral("B."));
    run = runTool({"check", dir.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains(QLatin1String("recording:")));

    EXPECT_EQ(runTool({"check", dir.filePath("none")}).exitCode, 1);
}
