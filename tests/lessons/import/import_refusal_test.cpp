// Imports that must not happen, or must be undone: each leaves the lesson
// folder exactly as it was. And the tool's own answers.
#include "import_files.h"
#include "import_media.h"
#include "lesson_file.h"
#include "lesson_set.h"
#include "lessons/lesson_tool_run.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hearvex::lessons;
using namespace hearvex::testing;

namespace {

const char* const kThreeCues = "1\n00:00:01,000 --> 00:00:02,000\nOne.\n\n"
                               "2\n00:00:03,000 --> 00:00:04,000\nTwo.\n\n"
                               "3\n00:00:05,000 --> 00:00:06,000\nThree.\n";

class ImportRefusal : public ::testing::Test {
protected:
    void SetUp() override {
        m_media = m_dir.filePath(QStringLiteral("talk.mp3"));
        ASSERT_TRUE(writeToneMp3(m_media, 7.0));
        m_srt = file(QStringLiteral("three.srt"), kThreeCues);
    }
    QString file(const QString& name, const QByteArray& bytes) const {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(writeFileBytes(path, bytes));
        return path;
    }
    // A lesson folder that already holds a lesson of another name.
    QString usedFolder() const {
        const QString folder = m_dir.filePath(QStringLiteral("used"));
        QDir().mkpath(folder);
        EXPECT_TRUE(writeFileBytes(QDir(folder).filePath(QStringLiteral("other-001.txt")), "x"));
        return folder;
    }

    QTemporaryDir m_dir;
    QString m_media;
    QString m_srt;
};

} // namespace

TEST_F(ImportRefusal, BadInputFailsWithAMessageAndCreatesNothing) {
    const QString garbage = file(QStringLiteral("garbage.mp3"), QByteArray(5000, 'z'));
    QString silent = m_dir.filePath(QStringLiteral("silent.mkv"));
    ASSERT_TRUE(
        runFfmpeg({"-f", "lavfi", "-i", "color=c=black:s=32x32:d=2", "-c:v", "ffv1", silent}));
    const struct {
        const char* what;
        QString media;
        QString subtitles;
        const char* saying;
    } cases[] = {
        {"media that is no media", garbage, m_srt, "not a media file"},
        {"missing media", m_dir.filePath(QStringLiteral("none.mp3")), m_srt, "no such file"},
        {"media without audio", silent, m_srt, "no audio"},
        {"empty subtitles", m_media, file(QStringLiteral("empty.srt"), "\r\n"), "empty"},
        {"subtitles that are none", m_media, file(QStringLiteral("prose.srt"), "Just words.\n"),
         "not a subtitle file"},
        {"missing subtitles", m_media, m_dir.filePath(QStringLiteral("none.srt")), "cannot read"},
        {"no cue with text", m_media,
         file(QStringLiteral("blank.srt"), "1\n00:00:01,000 --> 00:00:02,000\n{\\an8}<i> </i>\n"),
         "no cue with text"},
        {"every cue after the end", m_media,
         file(QStringLiteral("late.srt"), "1\n00:00:09,000 --> 00:00:10,000\nLate.\n"),
         "no cue lies within"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString folder = m_dir.filePath(QStringLiteral("new"));
        const ImportResult result =
            importMedia(importRequest(c.media, c.subtitles, folder, QString()));
        EXPECT_EQ(result.outcome, ImportOutcome::Failed);
        EXPECT_TRUE(result.message.contains(QLatin1String(c.saying)))
            << result.message.toStdString();
        EXPECT_FALSE(QFileInfo::exists(folder));
    }
}

TEST_F(ImportRefusal, ANameInUseIsRefusedAndReplacingLeavesNoLeftovers) {
    const QString folder = usedFolder();
    ASSERT_EQ(
        importMedia(importRequest(m_media, m_srt, folder, QStringLiteral("talk"))).lessons.size(),
        3);
    const QStringList before = folderListing(folder);

    const QString one = file(QStringLiteral("one.srt"), "1\n00:00:01,000 --> 00:00:02,000\nNew.\n");
    const ImportResult refused =
        importMedia(importRequest(m_media, one, folder, QStringLiteral("talk")));
    EXPECT_EQ(refused.outcome, ImportOutcome::NameTaken);
    EXPECT_EQ(folderListing(folder), before);

    const ImportResult replaced =
        importMedia(importRequest(m_media, one, folder, QStringLiteral("talk"), true));
    ASSERT_EQ(replaced.outcome, ImportOutcome::Done) << replaced.message.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"other-001.txt", "talk-001.kvx", "talk-001.txt"}));
    EXPECT_EQ(hearvex::lessons::readLessonText(QDir(folder).filePath("talk-001.kvx")).text,
              QStringLiteral("New."));
}

TEST_F(ImportRefusal, ALessonIsNeverReplacedByAnImportOfItself) {
    const QString folder = usedFolder();
    ASSERT_EQ(
        importMedia(importRequest(m_media, m_srt, folder, QStringLiteral("talk"))).lessons.size(),
        3);
    const QStringList before = folderListing(folder);
    const QString lesson = QDir(folder).filePath(QStringLiteral("talk-002.txt"));
    const QString link = m_dir.filePath(QStringLiteral("link.mp3"));
    ASSERT_TRUE(QFile::link(lesson, link));
    for (const QString& media : {lesson, link}) {
        SCOPED_TRACE(media.toStdString());
        const ImportResult refused =
            importMedia(importRequest(media, m_srt, folder, QStringLiteral("talk"), true));
        EXPECT_EQ(refused.outcome, ImportOutcome::Failed);
        EXPECT_TRUE(refused.message.contains(QLatin1String("would replace")))
            << refused.message.toStdString();
        EXPECT_EQ(folderListing(folder), before);
    }
}

TEST_F(ImportRefusal, CancellingLeavesTheFolderAsItWas) {
    for (const bool folderExists : {true, false}) {
        SCOPED_TRACE(folderExists ? "into a lesson folder" : "into a new folder");
        const QString folder =
            folderExists ? usedFolder() : m_dir.filePath(QStringLiteral("fresh"));
        const QStringList before = folderListing(folder);
        int calls = 0;
        const ImportResult result = importMedia(
            importRequest(m_media, m_srt, folder, QString()), [&](const ImportProgressInfo& info) {
                ++calls;
                return info.lessonsDone < 2; // cancel with two recordings cut
            });
        EXPECT_EQ(result.outcome, ImportOutcome::Cancelled);
        EXPECT_GT(calls, 2);
        EXPECT_EQ(folderListing(folder), before);
        EXPECT_EQ(QFileInfo::exists(folder), folderExists);
    }
}

TEST_F(ImportRefusal, TheToolSaysWhatItDidAndCheckAgrees) {
    const QString folder = m_dir.filePath(QStringLiteral("课文"));
    const ToolRun done = runTool({"import", m_media, m_srt, "--into", folder, "--name", "第一课"});
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    EXPECT_EQ(done.out, QStringLiteral("3 lessons written to %1\n").arg(folder));
    const ToolRun check = runTool({"check", folder});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
    EXPECT_TRUE(check.out.contains(QLatin1String("3 lessons, all complete")));

    // Without subtitles beside it or inside it, exit 2.
    const QString bare = m_dir.filePath(QStringLiteral("bare.mp3"));
    ASSERT_TRUE(QFile::copy(m_media, bare));
    const ToolRun none = runTool({"import", bare, "--into", folder});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.err.contains(QLatin1String("no subtitles"))) << none.err.toStdString();

    const ToolRun taken = runTool({"import", m_media, m_srt, "--into", folder, "--name", "第一课"});
    EXPECT_EQ(taken.exitCode, 1);
    EXPECT_TRUE(taken.err.contains(QLatin1String("already holds"))) << taken.err.toStdString();
}

TEST_F(ImportRefusal, TheToolTakesFileNamesAsBytes) {
    // GBK bytes (你, 这, 你好), which are not UTF-8: no QString names them, so a shell does.
    const QString script =
        QStringLiteral("sub=\"$2/$(printf 'sub\\304\\343').srt\"; cp \"$3\" \"$sub\" && "
                       "\"$1\" import \"$4\" \"$sub\" --into \"$2/$(printf '\\325\\342')\" "
                       "--name \"$(printf '\\304\\343\\272\\303')\"");
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), script, QStringLiteral("sh"),
                 QStringLiteral(HEARVEX_LESSON_TOOL), m_dir.path(), m_srt, m_media});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    const QByteArray folder = QFile::encodeName(m_dir.path()) + "/\xD5\xE2";
    EXPECT_EQ(lessonFilesNamed(folder, "\xC4\xE3\xBA\xC3"),
              QList<QByteArray>({"\xC4\xE3\xBA\xC3-001.kvx", "\xC4\xE3\xBA\xC3-001.txt",
                                 "\xC4\xE3\xBA\xC3-002.kvx", "\xC4\xE3\xBA\xC3-002.txt",
                                 "\xC4\xE3\xBA\xC3-003.kvx", "\xC4\xE3\xBA\xC3-003.txt"}));
}

TEST_F(ImportRefusal, CheckFinishesAnImportStoppedWhileReplacingItsLessons) {
    const QString folder = m_dir.filePath(QStringLiteral("lessons"));
    ASSERT_EQ(importMedia(importRequest(m_media, m_srt, folder, QStringLiteral("talk"))).outcome,
              ImportOutcome::Done);
    const QByteArray bytes = QFile::encodeName(folder);
    // A new set of one lesson, stopped after the journal and two moves.
    LessonSet::stopCommitsAfterForTesting(3);
    {
        LessonSet set;
        QString error;
        ASSERT_EQ(set.begin(bytes, "talk", &error), LessonSet::Begin::Ready);
        ASSERT_TRUE(QFile::copy(folder + QStringLiteral("/talk-003.txt"),
                                QFile::decodeName(set.stagedPath("talk-001.txt"))));
        ASSERT_TRUE(writeFileBytes(QFile::decodeName(set.stagedPath("talk-001.kvx")),
                                   encipherLessonText(QStringLiteral("New."))));
        EXPECT_FALSE(
            set.commit({"talk-001.txt", "talk-001.kvx"}, lessonFilesNamed(bytes, "talk"), &error));
    }
    LessonSet::stopCommitsAfterForTesting(-1);
    EXPECT_EQ(lessonFilesNamed(bytes, "talk").size(), 4); // two of six old files moved aside

    const ToolRun check = runTool({"check", folder});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
    EXPECT_TRUE(check.out.contains(QLatin1String("1 lessons, all complete")))
        << check.out.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"talk-001.kvx", "talk-001.txt"}));
}

TEST_F(ImportRefusal, ASecondImportOfTheSameNameSaysTheFirstIsRunning) {
    const QString folder = usedFolder();
    LessonSet running;
    QString error;
    ASSERT_EQ(running.begin(QFile::encodeName(folder), "talk", &error), LessonSet::Begin::Ready);
    const ImportResult second =
        importMedia(importRequest(m_media, m_srt, folder, QStringLiteral("talk")));
    EXPECT_EQ(second.outcome, ImportOutcome::Busy);
    EXPECT_TRUE(second.message.contains(QLatin1String("another import of lessons named talk")))
        << second.message.toStdString();
}
