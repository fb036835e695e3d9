#include "safe_output.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace hearvex::lessons;

namespace {

QByteArray readAll(const QByteArray& path) {
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeRaw(const QByteArray& path, const QByteArray& bytes) {
    QFile file(QFile::decodeName(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class SafeOutput : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        writeRaw(path("talk.mp3"), "ID3 recording");
        writeRaw(path("talk.txt"), "Hello there.");
        ASSERT_EQ(::symlink(path("talk.mp3").constData(), path("link.mp3").constData()), 0);
        ASSERT_EQ(::link(path("talk.txt").constData(), path("hard.txt").constData()), 0);
        ASSERT_TRUE(QDir().mkdir(QFile::decodeName(path("sub"))));
    }
    QByteArray path(const char* name) const { return QFile::encodeName(m_dir.filePath(name)); }
    // Only what the test made: a temporary file left behind would show here.
    QStringList entries() const {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};

TEST_F(SafeOutput, TellsWhenTwoNamesAreOneFile) {
    struct Case {
        const char* first;
        const char* second;
        bool same;
    };
    const Case cases[] = {
        {"talk.mp3", "talk.mp3", true},  {"sub/../talk.mp3", "talk.mp3", true},
        {"link.mp3", "talk.mp3", true},  {"hard.txt", "talk.txt", true},
        {"talk.srt", "talk.mp3", false}, // not there yet
        {"talk.txt", "talk.mp3", false}, {"sub", "talk.mp3", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isSameFile(path(c.first), path(c.second)), c.same) << c.first << " " << c.second;
    const QList<QByteArray> inputs{path("talk.mp3"), path("talk.txt")};
    EXPECT_EQ(inputOverwrittenBy(path("link.mp3"), inputs), path("talk.mp3"));
    EXPECT_EQ(inputOverwrittenBy(path("hard.txt"), inputs), path("talk.txt"));
    EXPECT_TRUE(inputOverwrittenBy(path("talk.srt"), inputs).isEmpty());
}

TEST_F(SafeOutput, WritesANewFileAndReplacesAnOldOneKeepingItsPermissions) {
    QString error;
    ASSERT_TRUE(writeFileSafely(path("talk.srt"), "1\n", &error)) << error.toStdString();
    EXPECT_EQ(readAll(path("talk.srt")), "1\n");
    ASSERT_EQ(::chmod(path("talk.srt").constData(), 0600), 0);
    ASSERT_TRUE(writeFileSafely(path("talk.srt"), "2\n", &error)) << error.toStdString();
    EXPECT_EQ(readAll(path("talk.srt")), "2\n");
    struct stat st {};
    ASSERT_EQ(::stat(path("talk.srt").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(entries(),
              (QStringList{"hard.txt", "link.mp3", "sub", "talk.mp3", "talk.srt", "talk.txt"}));
}

TEST_F(SafeOutput, WritesThroughALinkLeavingItALink) {
    QString error;
    ASSERT_TRUE(writeFileSafely(path("link.mp3"), "new", &error)) << error.toStdString();
    EXPECT_EQ(readAll(path("talk.mp3")), "new");
    struct stat st {};
    ASSERT_EQ(::lstat(path("link.mp3").constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(SafeOutput, RefusesAFolderOrAMissingFolderAndChangesNothing) {
    QString error;
    EXPECT_FALSE(writeFileSafely(path("sub"), "x", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("folder"))) << error.toStdString();
    EXPECT_TRUE(QDir(QFile::decodeName(path("sub"))).isEmpty());
    error.clear();
    EXPECT_FALSE(writeFileSafely(path("none/talk.srt"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(entries().size(), 5);
}

// A file size limit makes the writes fail part-way as a full disk does.
TEST_F(SafeOutput, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    writeRaw(path("talk.srt"), "old subtitles\n");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool written = writeFileSafely(path("talk.srt"), QByteArray(64 * 1024, 'x'), &error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(path("talk.srt")), "old subtitles\n");
    EXPECT_EQ(entries().size(), 6);
}

TEST(SafeOutputDevice, AFullDeviceIsAnError) {
    QString error;
    EXPECT_FALSE(writeFileSafely("/dev/full", "subtitles", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("space"))) << error.toStdString();
    EXPECT_TRUE(writeFileSafely("/dev/null", "subtitles", &error)) << error.toStdString();
}

} // namespace
