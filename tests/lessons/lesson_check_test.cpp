// The folder check of hearvex-lesson, and the tool itself run as a learner's teacher would.
#include "lesson_check.h"
#include "lessons/lesson_files.h"
#include "lessons/lesson_tool_run.h"

#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

using namespace hearvex::lessons;
using hearvex::testing::runTool;
using hearvex::testing::ToolRun;
using hearvex::testing::writeBytes;
using hearvex::testing::writeLessonText;

namespace {

// The tool run with arguments as raw bytes (a GBK file name, say), which a
// QProcess cannot pass: its arguments are QStrings.
ToolRun runToolWithBytes(const QList<QByteArray>& args) {
    QTemporaryDir outputs;
    const QByteArray out = QFile::encodeName(outputs.filePath("out"));
    const QByteArray err = QFile::encodeName(outputs.filePath("err"));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    QList<QByteArray> all = {QByteArray(HEARVEX_LESSON_TOOL)};
    all += args;
    std::vector<char*> argv;
    for (QByteArray& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid)
        return {};
    QFile outFile(outputs.filePath("out"));
    QFile errFile(outputs.filePath("err"));
    outFile.open(QIODevice::ReadOnly);
    errFile.open(QIODevice::ReadOnly);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, QString::fromUtf8(outFile.readAll()),
            QString::fromUtf8(errFile.readAll())};
}

bool exists(const QByteArray& path) {
    struct stat st {};
    return ::stat(path.constData(), &st) == 0;
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

    const FolderReport report = checkLessonFolder(dir.path(), [](const QByteArray& path) {
        return path.endsWith("unit2.txt") ? QStringLiteral("not audio") : QString();
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

TEST(HearvexLessonTool, ChecksAndWritesLessonsWhoseNamesAreGbkBytes) {
    QTemporaryDir dir;
    hearvex::testing::ByteNamedFiles byteNamed;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray gbk("\xB5\xDA\xB6\xFE\xBF\xCE"); // 第二课
    ASSERT_TRUE(hearvex::testing::writeRecording(dir.filePath("lesson1.txt"), 1.0));
    writeLessonText(dir.filePath("lesson1.kvx"), QStringLiteral("First."));
    ASSERT_TRUE(hearvex::testing::writeRecording(dir.filePath("two"), 1.0));
    ASSERT_TRUE(hearvex::testing::moveToByteName(dir.filePath("two"),
                                                 byteNamed(folder + "/" + gbk + ".txt")));

    // The text is written under the GBK name given on the command line...
    writeBytes(dir.filePath("plain.txt"), "Second.\n");
    byteNamed(folder + "/" + gbk + ".kvx");
    ToolRun run = runToolWithBytes({"encode", folder + "/plain.txt", folder + "/" + gbk + ".kvx"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(exists(folder + "/" + gbk + ".kvx"));
    QFile::remove(dir.filePath("plain.txt"));
    run = runToolWithBytes({"decode", folder + "/" + gbk + ".kvx"});
    EXPECT_EQ(run.out, QStringLiteral("Second.\n"));

    // ...and the check finds both lessons, the GBK one shown in Chinese.
    run = runToolWithBytes({"check", folder});
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("  1  lesson1.txt  First.\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("  2  第二课.txt  Second.\n")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QLatin1String("2 lessons, all complete")));
}

TEST(HearvexLessonTool, TheCheckRefusesWhatTheProgramRefusesAndShowsTheWholeSentence) {
    QTemporaryDir dir;
    // A NUL inside the sentence does not end the report's line.
    ASSERT_TRUE(hearvex::testing::writeRecording(dir.filePath("a.txt"), 1.0));
    writeLessonText(dir.filePath("a.kvx"), QString::fromUtf8("Before\0after.", 13));
    ToolRun run = runTool({"check", dir.path()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(QString::fromUtf8("  1  a.txt  Before\0after.\n", 26)))
        << run.out.toStdString();

    // A WAV that libsndfile reads but the engine refuses: 1 MHz.
    ASSERT_TRUE(hearvex::testing::writeTone(
        dir.filePath("b.txt"), {.seconds = 0.05, .sampleRate = 1'000'000, .channels = 1}));
    writeLessonText(dir.filePath("b.kvx"), QStringLiteral("B."));
    run = runTool({"check", dir.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.out.contains(QLatin1String("     ! recording: not a recording the program can play")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QLatin1String("1 of 2 lessons have faults")));
}
