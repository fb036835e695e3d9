// Committing a set of lessons all or nothing: a commit stopped after each of
// its steps (as a kill there would leave it) is finished or undone by the
// next run, and imports of one name exclude each other.
#include "lesson_set.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace hearvex::lessons;

namespace {

QByteArray bytes(const QString& path) {
    return QFile::encodeName(path);
}

bool writeBytes(const QByteArray& path, const QByteArray& content) {
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Every entry of the folder with its content: what "the whole old set" or
// "the whole new set" is compared by.
std::map<QString, QByteArray> contents(const QString& folder) {
    std::map<QString, QByteArray> entries;
    const QFileInfoList infos = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : infos)
        entries[info.fileName()] =
            info.isDir() ? QByteArray("(folder)") : readBytes(info.filePath());
    return entries;
}

class LessonSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = m_dir.filePath(QStringLiteral("lessons"));
        ASSERT_TRUE(QDir().mkpath(m_folder));
        // The old set: three lessons of "talk", and a lesson of another name.
        for (const char* file : {"talk-001.txt", "talk-001.kvx", "talk-002.txt", "talk-002.kvx",
                                 "talk-003.txt", "talk-003.kvx", "other-001.txt", "other-001.kvx"})
            ASSERT_TRUE(writeBytes(bytes(m_folder) + '/' + file, QByteArray("old ") + file));
        m_old = contents(m_folder);
        m_new = m_old;
        for (const char* file : {"talk-001.txt", "talk-001.kvx", "talk-002.txt", "talk-002.kvx",
                                 "talk-003.txt", "talk-003.kvx"})
            m_new.erase(QString::fromLatin1(file));
        for (const char* file : {"talk-001.txt", "talk-001.kvx", "talk-002.txt", "talk-002.kvx"})
            m_new[QString::fromLatin1(file)] = QByteArray("new ") + file;
    }
    void TearDown() override { LessonSet::stopCommitsAfterForTesting(-1); }

    QByteArray folder() const { return bytes(m_folder); }

    // Stages the new set (two lessons replacing the three) and commits it;
    // false when the commit did not complete.
    bool replaceSet(int stopAfter) {
        LessonSet::stopCommitsAfterForTesting(stopAfter);
        LessonSet set;
        QString error;
        EXPECT_EQ(set.begin(folder(), "talk", &error), LessonSet::Begin::Ready)
            << error.toStdString();
        QList<QByteArray> files;
        for (const char* file : {"talk-001.txt", "talk-001.kvx", "talk-002.txt", "talk-002.kvx"}) {
            EXPECT_TRUE(writeBytes(set.stagedPath(file), QByteArray("new ") + file));
            files << file;
        }
        const bool done = set.commit(files, lessonFilesNamed(folder(), "talk"), &error);
        LessonSet::stopCommitsAfterForTesting(-1);
        return done;
    }

    QTemporaryDir m_dir;
    QString m_folder;
    std::map<QString, QByteArray> m_old, m_new;
};

} // namespace

TEST_F(LessonSetTest, ACommitStoppedAtAnyStepIsFinishedOrUndoneByTheNextRun) {
    // Steps: the journal, 6 moves aside, 4 moves in, the clean-up.
    constexpr int kSteps = 12;
    int leftPartial = 0;
    for (int stop = 0; stop <= kSteps; ++stop) {
        SCOPED_TRACE(stop);
        SetUp();
        EXPECT_EQ(replaceSet(stop), stop == kSteps);
        const auto stopped = contents(m_folder);
        std::map<QString, QByteArray> lessonsOnly = stopped;
        std::erase_if(lessonsOnly, [](const auto& e) { return e.first.startsWith('.'); });
        leftPartial += (lessonsOnly != m_old && lessonsOnly != m_new) ? 1 : 0;

        EXPECT_TRUE(recoverInterruptedImports(folder()).isEmpty());
        EXPECT_EQ(contents(m_folder), stop == 0 ? m_old : m_new);
        TearDown();
        QDir(m_folder).removeRecursively();
    }
    EXPECT_GT(leftPartial, 5); // the stops did fall in the middle of the moves
}

TEST_F(LessonSetTest, TheNextImportOfTheNameFinishesAStoppedCommitFirst) {
    EXPECT_FALSE(replaceSet(8)); // all old lessons aside, one new one in
    LessonSet next;
    QString error;
    ASSERT_EQ(next.begin(folder(), "talk", &error), LessonSet::Begin::Ready);
    EXPECT_EQ(lessonFilesNamed(folder(), "talk"),
              QList<QByteArray>({"talk-001.kvx", "talk-001.txt", "talk-002.kvx", "talk-002.txt"}));
    EXPECT_EQ(readBytes(m_folder + QStringLiteral("/talk-002.kvx")), "new talk-002.kvx");
}

TEST_F(LessonSetTest, OneImportOfANameAtATime) {
    LessonSet first;
    QString error;
    ASSERT_EQ(first.begin(folder(), "talk", &error), LessonSet::Begin::Ready);
    ASSERT_TRUE(writeBytes(first.stagedPath("talk-009.txt"), "staged"));

    // Another process: the same name is busy, another name is free.
    const pid_t child = fork();
    if (child == 0) {
        LessonSet same, other;
        QString why;
        const bool busy = same.begin(folder(), "talk", &why) == LessonSet::Begin::Busy &&
                          why.contains(QLatin1String("another import of lessons named talk"));
        const bool free = other.begin(folder(), "film", &why) == LessonSet::Begin::Ready;
        _exit(busy && free ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    // A running import's staging is not a leftover.
    EXPECT_TRUE(recoverInterruptedImports(folder()).isEmpty());
    EXPECT_EQ(readBytes(QFile::decodeName(first.stagedPath("talk-009.txt"))), "staged");
}

TEST_F(LessonSetTest, AKilledImportsStagingGoesAtOnce) {
    const pid_t child = fork();
    if (child == 0) {
        LessonSet set;
        QString error;
        if (set.begin(folder(), "talk", &error) != LessonSet::Begin::Ready ||
            !writeBytes(set.stagedPath("talk-001.txt"), "half"))
            _exit(1);
        _exit(0); // killed: no destructor runs
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(contents(m_folder), m_old); // the staging and the lock are there

    EXPECT_TRUE(recoverInterruptedImports(folder()).isEmpty());
    EXPECT_EQ(contents(m_folder), m_old);
}

TEST_F(LessonSetTest, LessonsOfANameAreFoundByTheirNumbers) {
    for (const char* file : {"talk-7.txt", "talk-.txt", "talk-01a.txt", "talkative-001.txt",
                             "atxt-001.txt", "akvx-001.kvx", ".talk-001.txt"})
        ASSERT_TRUE(writeBytes(folder() + '/' + file, "x"));
    EXPECT_EQ(lessonFilesNamed(folder(), "talk"),
              QList<QByteArray>({"talk-001.kvx", "talk-001.txt", "talk-002.kvx", "talk-002.txt",
                                 "talk-003.kvx", "talk-003.txt", "talk-7.txt"}));
    // A name holding "txt" has its texts under "kvx".
    EXPECT_EQ(lessonFilesNamed(folder(), "atxt"),
              QList<QByteArray>({"akvx-001.kvx", "atxt-001.txt"}));
}

TEST_F(LessonSetTest, WhatCannotBeClearedIsNamedAndLeftAlone) {
    // A journal no import wrote: nothing it names is moved.
    const QString staging = m_folder + QStringLiteral("/.import-talk");
    ASSERT_TRUE(QDir().mkpath(staging + QStringLiteral("/new")));
    ASSERT_TRUE(writeBytes(bytes(staging) + "/journal", "something else\n"));
    const QStringList problems = recoverInterruptedImports(folder());
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(QLatin1String(".import-talk"))) << problems[0].toStdString();
    EXPECT_EQ(readBytes(staging + QStringLiteral("/journal")), "something else\n");
    EXPECT_EQ(readBytes(m_folder + QStringLiteral("/talk-001.txt")), "old talk-001.txt");
}

TEST_F(LessonSetTest, AMissingFolderIsMadeWithItsParentsAndGoesWhenNothingCommits) {
    const QString nested = m_dir.filePath(QStringLiteral("a/b/c"));
    {
        LessonSet set;
        QString error;
        ASSERT_EQ(set.begin(bytes(nested), "talk", &error), LessonSet::Begin::Ready)
            << error.toStdString();
        EXPECT_TRUE(QDir(nested).exists());
    }
    EXPECT_FALSE(QDir(nested).exists());
}
