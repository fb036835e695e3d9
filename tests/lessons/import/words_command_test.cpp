// hearvex-lesson words and the import's word-time options, as a learner runs
// the tool: what is printed, what is refused, and the exit statuses.
#include "lessons/lesson_tool_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using hearvex::testing::runTool;
using hearvex::testing::ToolRun;

namespace {

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

TEST(WordsCommand, PrintsALessonsWordTimesOrSaysWhyNot) {
    QTemporaryDir dir;
    const QString lesson = dir.filePath(QStringLiteral("talk-001.txt"));
    ASSERT_TRUE(write(lesson, "sound"));
    const struct {
        const char* what;
        const char* words; // the sidecar's bytes; nullptr: none
        int status;
        const char* out;
        const char* errorHas;
    } cases[] = {
        {"sound lines, normalised", "0.1\t0.45\t0.9\tHello,\r\n\n1.2\t1.5\t1\tworld.\n", 0,
         "0.100\t0.450\t0.90\tHello,\n1.200\t1.500\t1.00\tworld.\n", ""},
        {"a damaged line is skipped and named", "0.1\t0.4\t0.9\tOne\nbroken line\n", 0,
         "0.100\t0.400\t0.90\tOne\n", "talk-001.words:2"},
        {"no sidecar", nullptr, 1, "", "talk-001.words"},
        {"nothing but damage", "x\ty\n", 1, "", "no word times"},
    };
    for (const auto& c : cases) {
        QFile::remove(dir.filePath(QStringLiteral("talk-001.words")));
        if (c.words) {
            ASSERT_TRUE(write(dir.filePath(QStringLiteral("talk-001.words")), c.words));
        }
        const ToolRun run = runTool({QStringLiteral("words"), lesson});
        EXPECT_EQ(run.exitCode, c.status) << c.what;
        EXPECT_EQ(run.out, QString::fromUtf8(c.out)) << c.what;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.errorHas)))
            << c.what << run.err.toStdString();
    }
    EXPECT_EQ(runTool({QStringLiteral("words")}).exitCode, 2);
    EXPECT_EQ(runTool({QStringLiteral("words"), lesson, lesson}).exitCode, 2);
}

TEST(WordsCommand, TheImportRefusesLimitsThatAreNoNumbersAndAMisusedWordsOnly) {
    QTemporaryDir dir;
    const QString media = dir.filePath(QStringLiteral("talk.mp3"));
    ASSERT_TRUE(write(media, "not really"));
    const QStringList refused[] = {
        {media, QStringLiteral("--max-words"), QStringLiteral("many")},
        {media, QStringLiteral("--max-words"), QStringLiteral("-3")},
        {media, QStringLiteral("--max-seconds"), QStringLiteral("0")},
        {media, QStringLiteral("--max-seconds")},
        {QStringLiteral("--words-only")},
        {QStringLiteral("--words-only"), dir.path(), dir.path()},
        {QStringLiteral("--words-only"), dir.path(), QStringLiteral("--into"), dir.path()},
    };
    for (const QStringList& args : refused) {
        const ToolRun run = runTool(QStringList{QStringLiteral("import")} + args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage:"))) << run.err.toStdString();
    }
    // A folder that is not there: nothing to add word times to.
    const ToolRun none = runTool({QStringLiteral("import"), QStringLiteral("--words-only"),
                                  dir.filePath(QStringLiteral("none"))});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains(QStringLiteral("no such folder"))) << none.err.toStdString();
}
