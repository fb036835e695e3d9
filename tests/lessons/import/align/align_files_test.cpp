// The files given to align: what is refused before any aligning, and that a
// refusal leaves every file as it was.
#include "align_files.h"
#include "lessons/lesson_tool_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace hearvex::lessons;
using namespace hearvex::testing;

namespace {

class AlignFiles : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        write("talk.mp3", QByteArray("ID3\x03\0\0\0\0\0\0\xFF\xFB", 12));
        write("talk.txt", "Hello there. How are you?\n");
        write("empty.txt", "");
        write("blank.txt", "\xEF\xBB\xBF\r\n  \r\n");
        write("timed.txt", "1\n00:00:01,000 --> 00:00:02,000\nHi.\n");
        write("page.html", "<!DOCTYPE html><html><script>go()</script></html>");
        write("article.html", "<html><body><p>Hello there.</p></body></html>");
        ASSERT_TRUE(QDir().mkdir(m_dir.filePath("folder.txt")));
        ASSERT_EQ(::symlink(path("talk.mp3").constData(), path("link.srt").constData()), 0);
        ASSERT_EQ(::link(path("talk.txt").constData(), path("hard.srt").constData()), 0);
    }
    void write(const char* name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray read(const char* name) const {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray path(const char* name) const { return QFile::encodeName(m_dir.filePath(name)); }
    QString pathText(const char* name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(AlignFiles, NamesWhatIsWrongWithTheTranscript) {
    struct Case {
        const char* file;
        const char* saying; // empty: no problem
    };
    const Case cases[] = {
        {"talk.txt", ""},
        {"article.html", ""},
        {"missing.txt", ""}, // the alignment reports it cannot be read
        {"folder.txt", "is a folder"},
        {"empty.txt", "is empty"},
        {"blank.txt", "is empty"},
        {"talk.mp3", "NUL bytes"},
        {"timed.txt", "already have timings"},
        {"page.html", "web page"},
    };
    for (const Case& c : cases) {
        const QString problem = transcriptProblem(path(c.file));
        if (*c.saying == '\0')
            EXPECT_TRUE(problem.isEmpty()) << c.file << ": " << problem.toStdString();
        else
            EXPECT_TRUE(problem.contains(QLatin1String(c.saying)))
                << c.file << ": " << problem.toStdString();
    }
}

TEST_F(AlignFiles, RefusesAnOutputThatIsAFolderOrAnInput) {
    struct Case {
        const char* out;
        const char* saying;
    };
    const Case cases[] = {
        {"talk.srt", ""},
        {"talk.mp3", "is the recording itself"},
        {"talk.txt", "is the transcript itself"},
        {"link.srt", "another name of the recording"},
        {"hard.srt", "another name of the transcript"},
        {"folder.txt", "is a folder"},
        {"none/talk.srt", "does not exist"},
    };
    for (const Case& c : cases) {
        const QString problem = outputProblem(path(c.out), path("talk.mp3"), path("talk.txt"));
        if (*c.saying == '\0')
            EXPECT_TRUE(problem.isEmpty()) << c.out << ": " << problem.toStdString();
        else
            EXPECT_TRUE(problem.contains(QLatin1String(c.saying)))
                << c.out << ": " << problem.toStdString();
    }
}

TEST_F(AlignFiles, TheToolRefusesBeforeAligningAndChangesNothing) {
    const QByteArray recording = read("talk.mp3");
    const QByteArray transcript = read("talk.txt");
    const QStringList refused[] = {
        {pathText("talk.mp3"), pathText("talk.txt"), "-o", pathText("talk.mp3")},
        {pathText("talk.mp3"), pathText("talk.txt"), "-o", pathText("talk.txt")},
        {pathText("talk.mp3"), pathText("talk.txt"), "-o", pathText("link.srt")},
        {pathText("talk.mp3"), pathText("empty.txt")},
        {pathText("talk.mp3"), pathText("talk.mp3")},
    };
    for (const QStringList& args : refused) {
        const ToolRun run = runTool(QStringList{"align"} + args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String("hearvex-lesson align: ")))
            << run.err.toStdString();
        EXPECT_EQ(read("talk.mp3"), recording);
        EXPECT_EQ(read("talk.txt"), transcript);
    }
    EXPECT_FALSE(QFile::exists(pathText("talk.srt")));
}

TEST_F(AlignFiles, LessonTextsAreNeverWrittenOverTheFileRead) {
    const QByteArray transcript = read("talk.txt");
    ASSERT_EQ(runTool({"encode", pathText("talk.txt"), pathText("talk.kvx")}).exitCode, 0);
    const QByteArray lesson = read("talk.kvx");
    ASSERT_FALSE(lesson.isEmpty());
    const QStringList refused[] = {
        {"encode", pathText("talk.txt"), pathText("talk.txt")},
        {"encode", pathText("talk.txt"), pathText("hard.srt")},
        {"decode", pathText("talk.kvx"), pathText("talk.kvx")},
    };
    for (const QStringList& args : refused) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String("itself"))) << run.err.toStdString();
    }
    EXPECT_EQ(read("talk.txt"), transcript);
    EXPECT_EQ(read("talk.kvx"), lesson);
}

} // namespace
