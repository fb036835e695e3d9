// The record kept on its own thread: attempts made while the record is
// locked, on a full disk, read-only, replaced by a folder or deleted are all
// in the record once the trouble ends, by the same run or the next; the
// journal that keeps them meanwhile; and where the record window opens.
#include "keeper_texts.h"
#include "pending_journal.h"
#include "record_keeper.h"
#include "window_place.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sqlite3.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace hearvex::record;

namespace {

Attempt attemptAt(int n) {
    Attempt attempt;
    attempt.lesson = {QStringLiteral("lesson%1.txt").arg(n % 3), QStringLiteral("/lessons"),
                      QStringLiteral("Sentence number %1, \"quoted\".").arg(n % 3), "abc123"};
    attempt.kind = n % 2 ? AttemptKind::Compare : AttemptKind::Check;
    attempt.lessonStarted = QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::OffsetFromUTC, 28800);
    attempt.time = attempt.lessonStarted.addSecs(10 + n);
    attempt.wordsRight = 2;
    attempt.wordsTotal = 4;
    attempt.missedWords = {QStringLiteral("number"), QStringLiteral("quoted\".")};
    attempt.typedText = QStringLiteral("Sentence 第 %1\nline").arg(n);
    attempt.speedPercent = 90;
    attempt.secondsSinceStart = 10 + n;
    attempt.replays = n;
    return attempt;
}

int attemptsIn(const QString& path) {
    OpenOutcome outcome;
    const auto record = PracticeRecord::open(path, &outcome, false);
    return record ? int(record->attempts().size()) : -1;
}

// Makes a file read-only even for root (whose permissions nothing refuses).
bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

bool setReadOnly(const QString& path, bool on) {
    if (::geteuid() == 0)
        return setImmutable(path, on);
    return ::chmod(QFile::encodeName(path).constData(), on ? 0444 : 0644) == 0;
}

// A fault of the record's file, made and ended as the learner would meet it.
struct Fault {
    const char* name;
    RecordFault expected;
    bool atStart; // met when the program starts (an open file stays writable)
    std::function<void(const QString& path)> begin;
    std::function<void(const QString& path)> end;
};

sqlite3* g_lock = nullptr;

void lockRecord(const QString& path) {
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &g_lock), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(g_lock, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
}

void unlockRecord(const QString&) {
    sqlite3_exec(g_lock, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(g_lock);
    g_lock = nullptr;
}

// The files as large as they are now: nothing may grow, as on a full disk.
void fillDisk(const QString& path) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{rlim_t(QFileInfo(path + "-wal").size()), RLIM_INFINITY};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
}

void freeDisk(const QString&) {
    const rlimit limit{RLIM_INFINITY, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

void putFolderInPlace(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + suffix);
    ASSERT_TRUE(QDir().mkpath(path));
}

void takeFolderAway(const QString& path) {
    ASSERT_TRUE(QDir(path).removeRecursively());
}

const Fault kFaults[] = {
    {"locked", RecordFault::Locked, false, lockRecord, unlockRecord},
    {"disk full", RecordFault::DiskFull, false, fillDisk, freeDisk},
    {"read-only", RecordFault::ReadOnly, true,
     [](const QString& path) { ASSERT_TRUE(setReadOnly(path, true)); },
     [](const QString& path) { ASSERT_TRUE(setReadOnly(path, false)); }},
    {"folder in its place", RecordFault::NotAFile, false, putFolderInPlace, takeFolderAway},
};

class KeeperTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("hearvex/practice.sqlite3")); }

    std::unique_ptr<RecordKeeper> keeper() {
        auto made = std::make_unique<RecordKeeper>(
            path(), &m_context, [this](const RecordKeeper::Status& s) { m_statuses.push_back(s); });
        made->setRetryInterval(30);
        made->start();
        return made;
    }

    // Until everything handed over is in the record.
    void waitUntilWritten(RecordKeeper& keeper) {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                keeper.settle(1000);
                return keeper.status().waiting == 0;
            },
            10000))
            << keeper.status().detail.toStdString();
    }

    QTemporaryDir m_dir;
    QObject m_context;
    std::vector<RecordKeeper::Status> m_statuses;
};

TEST_F(KeeperTest, EveryAttemptMadeDuringAFaultIsInTheRecordWhenItEnds) {
    for (const Fault& fault : kFaults) {
        SCOPED_TRACE(fault.name);
        QFile::remove(path());
        int made = 0;
        {
            auto kept = keeper();
            kept->add(attemptAt(made++));
            waitUntilWritten(*kept);
            ASSERT_EQ(attemptsIn(path()), 1);

            if (fault.atStart)
                kept.reset();
            fault.begin(path());
            if (fault.atStart)
                kept = keeper();
            for (int i = 0; i < 3; ++i)
                kept->add(attemptAt(made++));
            ASSERT_TRUE(kept->settle(5000));
            QCoreApplication::sendPostedEvents(&m_context);
            const RecordKeeper::Status during = kept->status();
            EXPECT_EQ(during.waiting, 3);
            EXPECT_EQ(during.fault, fault.expected) << during.detail.toStdString();
            EXPECT_TRUE(during.journalKept);
            ASSERT_FALSE(m_statuses.empty());
            EXPECT_EQ(m_statuses.back().waiting, 3); // the window heard of it
            const KeeperWords words = keeperWords(during, path());
            EXPECT_TRUE(words.line.contains(QStringLiteral("已保存 3 次练习")));
            EXPECT_TRUE(words.note.contains(QDir::toNativeSeparators(path())));

            fault.end(path());
            kept->add(attemptAt(made++));
            waitUntilWritten(*kept);
            EXPECT_EQ(kept->status().fault, RecordFault::None);
        }
        // The folder's record was a new one: only what came after it.
        const int expected = fault.expected == RecordFault::NotAFile ? made - 1 : made;
        EXPECT_EQ(attemptsIn(path()), expected);
        EXPECT_FALSE(QFile::exists(pendingJournalPath(path())));
    }
}

TEST_F(KeeperTest, WhatCouldNotBeWrittenIsWrittenByTheNextRun) {
    {
        auto kept = keeper();
        kept->settle(5000);
        lockRecord(path());
        kept->add(attemptAt(0));
        kept->add(attemptAt(1));
        ASSERT_TRUE(kept->settle(5000));
        EXPECT_EQ(kept->status().waiting, 2);
    } // the program ends while the record is locked
    unlockRecord(path());
    EXPECT_EQ(PendingJournal(pendingJournalPath(path())).load().size(), 2u);
    EXPECT_EQ(attemptsIn(path()), 0);

    auto next = keeper();
    waitUntilWritten(*next);
    const std::vector<Attempt> written = PracticeRecord::open(path(), nullptr, false)->attempts();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[1].typedText, attemptAt(1).typedText);
    EXPECT_EQ(written[1].missedWords, attemptAt(1).missedWords);
    EXPECT_FALSE(QFile::exists(pendingJournalPath(path())));
}

TEST_F(KeeperTest, AJournalEmptiedByAnotherCopyIsWrittenAnew) {
    auto kept = keeper();
    kept->settle(5000);
    lockRecord(path());
    kept->add(attemptAt(0));
    kept->add(attemptAt(1));
    ASSERT_TRUE(kept->settle(5000));
    // Another copy of the program wrote its own attempts and emptied the journal.
    ASSERT_TRUE(QFile::remove(pendingJournalPath(path())));
    kept->add(attemptAt(2));
    EXPECT_EQ(PendingJournal(pendingJournalPath(path())).load().size(), 3u);
    unlockRecord(path());
    waitUntilWritten(*kept);
    EXPECT_EQ(attemptsIn(path()), 3);
}

TEST_F(KeeperTest, ARecordDeletedWhileRunningIsMadeAnewAndSaidSo) {
    auto kept = keeper();
    kept->add(attemptAt(0));
    waitUntilWritten(*kept);
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path() + suffix);
    kept->add(attemptAt(1));
    kept->add(attemptAt(2));
    waitUntilWritten(*kept);
    EXPECT_EQ(attemptsIn(path()), 2);
    EXPECT_TRUE(kept->status().recreated);
    EXPECT_GE(kept->status().generation, 2);
    EXPECT_TRUE(keeperWords(kept->status(), path()).line.contains(QStringLiteral("重新建立")));
}

TEST_F(KeeperTest, AReadOnlyRecordShowsItsHistoryAndWhatIsDue) {
    {
        auto kept = keeper();
        for (int n = 0; n < 4; ++n)
            kept->add(attemptAt(n));
        waitUntilWritten(*kept);
    }
    ASSERT_TRUE(setReadOnly(path(), true));
    auto kept = keeper();
    kept->settle(5000);
    EXPECT_EQ(kept->status().state, RecordKeeper::State::ReadOnly);
    std::optional<RecordKeeper::Figures> figures;
    const QDateTime later(QDate(2026, 12, 20), QTime(9, 0));
    kept->readFigures(later, [&](const RecordKeeper::Figures& f) { figures = f; });
    kept->settle(5000);
    QCoreApplication::sendPostedEvents(&m_context);
    ASSERT_TRUE(figures);
    EXPECT_TRUE(figures->read);
    EXPECT_EQ(figures->summary.due.size(), 3u); // three sentences, all due by then
    EXPECT_TRUE(keeperWords(kept->status(), path()).note.contains(QStringLiteral("可以查看")));
    ASSERT_TRUE(setReadOnly(path(), false));
}

TEST(PendingJournal, KeepsEveryFieldAndSkipsALineCutShort) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("practice.sqlite3.pending"));
    {
        PendingJournal journal(file);
        ASSERT_TRUE(journal.append(attemptAt(1)));
    }
    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::Append));
    raw.write("{\"time\":[17"); // a crash in the middle of a line
    raw.close();
    PendingJournal journal(file);
    ASSERT_TRUE(journal.append(attemptAt(2)));
    const std::vector<Attempt> kept = journal.load();
    ASSERT_EQ(kept.size(), 2u);
    const Attempt expected = attemptAt(2);
    const Attempt& got = kept[1];
    EXPECT_EQ(got.time, expected.time);
    EXPECT_EQ(got.time.offsetFromUtc(), 28800);
    EXPECT_EQ(got.lesson.sentence, expected.lesson.sentence);
    EXPECT_EQ(got.lesson.audioHash, expected.lesson.audioHash);
    EXPECT_EQ(got.kind, expected.kind);
    EXPECT_EQ(got.typedText, expected.typedText);
    EXPECT_EQ(got.missedWords, expected.missedWords);
    EXPECT_EQ(got.replays, expected.replays);
    EXPECT_EQ(got.lessonStarted, expected.lessonStarted);
    EXPECT_FALSE(attemptFromLine("{\"kind\":\"check\"}")); // no time, no sentence
    EXPECT_TRUE(journal.clear());
    EXPECT_FALSE(QFile::exists(file));
}

TEST(WindowPlace, CoversAsLittleOfTheMainWindowAsTheScreenAllows) {
    struct Case {
        const char* what;
        QRect main;
        QRect screen;
        QPoint expected;
    };
    const QSize size(620, 470);
    const Case cases[] = {
        {"room on the right", QRect(0, 0, 640, 480), QRect(0, 0, 1920, 1080), QPoint(640, 0)},
        {"room on the left only", QRect(1280, 100, 640, 480), QRect(0, 0, 1920, 1080),
         QPoint(660, 100)},
        {"room below only", QRect(0, 0, 1280, 480), QRect(0, 0, 1280, 1024), QPoint(0, 480)},
        {"a small screen: the least overlap", QRect(320, 160, 640, 480), QRect(0, 0, 1280, 800),
         QPoint(0, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(leastCoveringPlace(c.main, size, c.screen), c.expected) << c.what;
        EXPECT_TRUE(c.screen.contains(QRect(c.expected, size))) << c.what;
    }
}

} // namespace
