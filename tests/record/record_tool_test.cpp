// hearvex-lesson record: the record as CSV and what is due, from the file the
// program writes; a missing or damaged record is an error that changes nothing.
#include "lessons/lesson_tool_run.h"
#include "practice_record.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hearvex::record;
using hearvex::testing::runTool;

namespace {

Attempt attemptOf(const QString& name, const QString& sentence, AttemptKind kind,
                  const QDateTime& started, int right, int total, QStringList missed) {
    Attempt attempt;
    attempt.lesson = {name, QStringLiteral("/lessons"), sentence, "c0ffee"};
    attempt.kind = kind;
    attempt.lessonStarted = started;
    attempt.time = started.addSecs(kind == AttemptKind::Check ? 30 : 40);
    attempt.wordsRight = right;
    attempt.wordsTotal = total;
    attempt.missedWords = std::move(missed);
    attempt.typedText = sentence;
    attempt.replays = 1;
    return attempt;
}

class RecordToolTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("hearvex/practice.sqlite3")); }

    // Two lessons practised a minute ago, one with a word missed.
    void practiseTwoLessons() {
        auto record = PracticeRecord::open(path(), nullptr);
        ASSERT_TRUE(record);
        const QDateTime started = QDateTime::currentDateTime().addSecs(-120);
        const QString river = QStringLiteral("We walked to the river.");
        const QString train = QStringLiteral("The train left early.");
        const QString riverName = QStringLiteral("river.txt");
        const QString trainName = QStringLiteral("train.txt");
        for (AttemptKind kind : {AttemptKind::Check, AttemptKind::Compare}) {
            ASSERT_TRUE(record->add(
                attemptOf(riverName, river, kind, started, 4, 5, {QStringLiteral("river.")})));
            ASSERT_TRUE(
                record->add(attemptOf(trainName, train, kind, started.addSecs(1), 4, 4, {})));
        }
    }

    QTemporaryDir m_dir;
};

TEST_F(RecordToolTest, ListsEveryCheckAndCompareAndWhatIsDue) {
    practiseTwoLessons();
    // The program's own file, found through XDG_DATA_HOME.
    qputenv("XDG_DATA_HOME", m_dir.path().toUtf8());
    const auto all = runTool({QStringLiteral("record"), QStringLiteral("--csv")});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    const QStringList rows = all.out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 5) << all.out.toStdString();
    EXPECT_EQ(rows[0], QStringLiteral("time,lesson,kind,right,total,missed,speed,typed"));
    const QStringList expected[] = {{"river.txt", "check", "4", "5", "river."},
                                    {"train.txt", "check", "4", "4", ""},
                                    {"river.txt", "compare", "4", "5", "river."},
                                    {"train.txt", "compare", "4", "4", ""}};
    for (int row = 0; row < 4; ++row) {
        const QStringList fields = rows[row + 1].split(QLatin1Char(','));
        ASSERT_EQ(fields.size(), 8) << rows[row + 1].toStdString();
        EXPECT_EQ(fields.mid(1, 5), expected[row]) << row;
        EXPECT_EQ(fields[6], QStringLiteral("100"));
    }

    const auto due = runTool({QStringLiteral("record"), QStringLiteral("due"),
                              QStringLiteral("--csv"), QStringLiteral("--db"), path()});
    ASSERT_EQ(due.exitCode, 0) << due.err.toStdString();
    const QStringList dueRows = due.out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(dueRows.size(), 2) << due.out.toStdString();
    EXPECT_EQ(dueRows[0], QStringLiteral("lesson,sentence,due,reviews"));
    EXPECT_TRUE(dueRows[1].startsWith(QStringLiteral("river.txt,We walked to the river.,")));
    EXPECT_TRUE(dueRows[1].endsWith(QStringLiteral(",1")));
}

TEST_F(RecordToolTest, DueAllListsEveryReviewedSentenceWithItsDueTime) {
    practiseTwoLessons();
    for (const bool csv : {true, false}) {
        QStringList command{QStringLiteral("record"), QStringLiteral("due"),
                            QStringLiteral("--all"), QStringLiteral("--db"), path()};
        if (csv)
            command << QStringLiteral("--csv");
        const auto run = runTool(command);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QStringList rows =
            run.out.split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts);
        ASSERT_EQ(rows.size(), csv ? 3 : 2) << run.out.toStdString();
        if (!csv) {
            EXPECT_TRUE(rows[1].contains(QStringLiteral("The train left early.")));
            continue;
        }
        EXPECT_EQ(rows[0], QStringLiteral("lesson,sentence,due,reviews"));
        // The river was missed: due now; the train, typed right, later.
        const QStringList river = rows[1].split(QLatin1Char(','));
        const QStringList train = rows[2].split(QLatin1Char(','));
        ASSERT_EQ(train.size(), 4);
        EXPECT_EQ(river[0], QStringLiteral("river.txt"));
        EXPECT_EQ(train[0], QStringLiteral("train.txt"));
        const QDateTime due = QDateTime::fromString(train[2], Qt::ISODate);
        ASSERT_TRUE(due.isValid()) << train[2].toStdString();
        EXPECT_GT(due, QDateTime::currentDateTime());
        EXPECT_EQ(train[3], QStringLiteral("1"));
    }
    // Without --all only what is due now.
    const auto now =
        runTool({QStringLiteral("record"), QStringLiteral("due"), QStringLiteral("--db"), path()});
    EXPECT_FALSE(now.out.contains(QStringLiteral("train")));
    EXPECT_NE(
        runTool({QStringLiteral("record"), QStringLiteral("--all"), QStringLiteral("--db"), path()})
            .exitCode,
        0); // --all belongs to due
}

TEST_F(RecordToolTest, AnEmptyFileIsAnErrorAndStaysEmpty) {
    const QString empty = m_dir.filePath(QStringLiteral("empty.sqlite3"));
    QFile file(empty);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    for (const char* command : {"", "due"}) {
        QStringList args{QStringLiteral("record")};
        if (*command)
            args << QString::fromLatin1(command);
        const auto run =
            runTool(args + QStringList{QStringLiteral("--csv"), QStringLiteral("--db"), empty});
        EXPECT_NE(run.exitCode, 0) << command;
        EXPECT_TRUE(run.err.contains(QStringLiteral("not a readable practice record")))
            << run.err.toStdString();
    }
    EXPECT_EQ(QFileInfo(empty).size(), 0);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("empty.sqlite3")});
}

TEST_F(RecordToolTest, AMissingOrDamagedRecordIsAnErrorThatChangesNothing) {
    const QString missing = m_dir.filePath(QStringLiteral("none/practice.sqlite3"));
    for (const QStringList& command : {QStringList{}, QStringList{QStringLiteral("due")}}) {
        const auto run = runTool(QStringList{QStringLiteral("record")} + command +
                                 QStringList{QStringLiteral("--db"), missing});
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.err.contains(QStringLiteral("no practice record")))
            << run.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(missing).absolutePath()));

    const QString damaged = m_dir.filePath(QStringLiteral("damaged.sqlite3"));
    const QByteArray garbage = QByteArray("SQLite format 3").append(4000, '\x07');
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(garbage);
    file.close();
    const auto run = runTool({QStringLiteral("record"), QStringLiteral("--db"), damaged});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("not a readable practice record")))
        << run.err.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), garbage);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("damaged.sqlite3")});
}

} // namespace
