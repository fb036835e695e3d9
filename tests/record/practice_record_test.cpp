// The practice record on disk: what goes in comes out, sittings grade once,
// the figures add up, and a damaged, old, newer or unwritable file, two
// writers at once and a killed writer lose nothing.
#include "practice_record.h"
#include "record_fill.h"
#include "record_schema.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace hearvex::record;

namespace {

QDateTime at(const char* iso) {
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

LessonRef lessonOf(const QString& sentence, const char* name = "lesson01.txt") {
    return {QString::fromLatin1(name), QStringLiteral("/home/learner/听力课文"), sentence,
            QByteArray("9f2c") + sentence.toUtf8().toHex().left(8)};
}

Attempt attemptOf(const LessonRef& lesson, AttemptKind kind, const char* started, int seconds,
                  int right, int total, QStringList missed = {}, int replays = 1) {
    Attempt attempt;
    attempt.lesson = lesson;
    attempt.kind = kind;
    attempt.lessonStarted = at(started);
    attempt.time = attempt.lessonStarted.addSecs(seconds);
    attempt.secondsSinceStart = seconds;
    attempt.wordsRight = right;
    attempt.wordsTotal = total;
    attempt.missedWords = std::move(missed);
    attempt.typedText = QStringLiteral("typed");
    attempt.replays = replays;
    return attempt;
}

class RecordTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("data/hearvex/practice.sqlite3")); }

    std::unique_ptr<PracticeRecord> openRecord(OpenOutcome* outcome = nullptr) {
        OpenOutcome local;
        auto record = PracticeRecord::open(path(), outcome ? outcome : &local);
        EXPECT_TRUE(record) << (outcome ? outcome : &local)->reason.toStdString();
        return record;
    }

    void writeFile(const QString& file, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    QTemporaryDir m_dir;
};

const LessonRef kRiver = lessonOf(QStringLiteral("We walked to the river."));
const LessonRef kTrain = lessonOf(QStringLiteral("The train left early."), "lesson02.txt");

TEST_F(RecordTest, KeepsEveryFieldOfEveryAttemptInOrder) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    Attempt check =
        attemptOf(kRiver, AttemptKind::Check, "2026-03-01T09:00:00+08:00", 40, 4, 5, {"river."});
    check.typedText = QStringLiteral("We walked to the rover, \"yes\"\n中文");
    check.speedPercent = 75;
    check.replays = 3;
    Attempt compare =
        attemptOf(kRiver, AttemptKind::Compare, "2026-03-01T09:00:00+08:00", 45, 4, 5, {"river."});
    Attempt later = attemptOf(kTrain, AttemptKind::Check, "2026-03-01T10:00:00-05:00", 10, 4, 4);
    ASSERT_TRUE(record->add(later));
    ASSERT_TRUE(record->add(check));
    ASSERT_TRUE(record->add(compare));

    const std::vector<Attempt> all = record->attempts();
    ASSERT_EQ(all.size(), 3u);
    const Attempt& first = all[0];
    EXPECT_EQ(first.time, check.time);
    EXPECT_EQ(first.time.offsetFromUtc(), 8 * 3600);
    EXPECT_EQ(first.lesson.recordingName, kRiver.recordingName);
    EXPECT_EQ(first.lesson.folder, kRiver.folder);
    EXPECT_EQ(first.lesson.sentence, kRiver.sentence);
    EXPECT_EQ(first.lesson.audioHash, kRiver.audioHash);
    EXPECT_EQ(first.kind, AttemptKind::Check);
    EXPECT_EQ(first.wordsRight, 4);
    EXPECT_EQ(first.wordsTotal, 5);
    EXPECT_EQ(first.missedWords, QStringList{QStringLiteral("river.")});
    EXPECT_EQ(first.typedText, check.typedText);
    EXPECT_EQ(first.speedPercent, 75);
    EXPECT_EQ(first.secondsSinceStart, 40);
    EXPECT_EQ(first.replays, 3);
    EXPECT_EQ(first.lessonStarted, check.lessonStarted);
    EXPECT_EQ(all[1].kind, AttemptKind::Compare);
    EXPECT_EQ(all[2].time.offsetFromUtc(), -5 * 3600);
}

TEST_F(RecordTest, SeveralAttemptsAreWrittenAllOrNone) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    Attempt good = attemptOf(kRiver, AttemptKind::Check, "2026-03-01T09:00:00+08:00", 30, 5, 5);
    Attempt timeless = good;
    timeless.time = QDateTime();
    EXPECT_FALSE(record->addAll({good, timeless}));
    EXPECT_FALSE(record->lastError().isEmpty());
    EXPECT_TRUE(record->attempts().empty());
    EXPECT_FALSE(record->standing(kRiver));
    ASSERT_TRUE(record->add(good));
    EXPECT_TRUE(record->lastError().isEmpty());
    EXPECT_EQ(record->attempts().size(), 1u);
}

TEST_F(RecordTest, WritesCsvWithOffsetsAndQuoting) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    Attempt check = attemptOf(lessonOf(QStringLiteral("Hi, there"), "a,b.txt"), AttemptKind::Check,
                              "2026-03-01T09:00:00+08:00", 5, 1, 2, {"there", "Hi,"});
    check.typedText = QStringLiteral("say \"hi\"\r\nthen");
    ASSERT_TRUE(record->add(check));
    Attempt compare =
        attemptOf(kTrain, AttemptKind::Compare, "2026-03-01T23:59:45-03:30", 30, 4, 4);
    compare.speedPercent = 80;
    compare.typedText = QStringLiteral("The train left early.");
    ASSERT_TRUE(record->add(compare));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(record->writeCsv(out));
    EXPECT_EQ(QString::fromUtf8(out.data()).toStdString(),
              "time,lesson,kind,right,total,missed,speed,typed\r\n"
              "2026-03-01T09:00:05+08:00,\"a,b.txt\",check,1,2,\"there Hi,\",100,"
              "\"say \"\"hi\"\"\r\nthen\"\r\n"
              "2026-03-02T00:00:15-03:30,lesson02.txt,compare,4,4,,80,The train left early.\r\n");
}

TEST_F(RecordTest, ASittingGradesOnceByItsLastCompare) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    const char* sitting = "2026-03-01T09:00:00+08:00";
    // Missed in the check, all right in the compare, missed in a later check:
    // the compare grades the sitting, once.
    ASSERT_TRUE(record->add(attemptOf(kRiver, AttemptKind::Check, sitting, 30, 4, 5, {"river."})));
    EXPECT_EQ(record->due(at("2026-03-01T09:01:00+08:00")).size(), 1u);
    ASSERT_TRUE(record->add(attemptOf(kRiver, AttemptKind::Compare, sitting, 40, 5, 5)));
    ASSERT_TRUE(record->add(attemptOf(kRiver, AttemptKind::Check, sitting, 50, 3, 5, {"to"})));
    EXPECT_TRUE(record->due(at("2026-03-01T09:02:00+08:00")).empty());
    ASSERT_TRUE(record->add(attemptOf(kRiver, AttemptKind::Compare, sitting, 60, 5, 5)));
    EXPECT_TRUE(record->due(at("2026-03-03T23:59:00+08:00")).empty());
    // Good once (one replay): 3 days; graded twice it would be later.
    const std::vector<DueItem> due = record->due(at("2026-03-04T00:00:00+08:00"));
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].reviews, 1);
    EXPECT_EQ(due[0].due, at("2026-03-04T00:00:00+08:00"));
    EXPECT_EQ(due[0].lastResult, QStringLiteral("5/5"));

    // The next sitting starts from the first one's result: 11 days more.
    ASSERT_TRUE(
        record->add(attemptOf(kRiver, AttemptKind::Check, "2026-03-04T08:00:00+08:00", 30, 5, 5)));
    EXPECT_TRUE(record->due(at("2026-03-14T23:59:00+08:00")).empty());
    ASSERT_EQ(record->due(at("2026-03-15T00:00:00+08:00")).size(), 1u);
}

TEST_F(RecordTest, AMissedSentenceStaysDueUntilTypedAllRight) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    ASSERT_TRUE(record->add(
        attemptOf(kRiver, AttemptKind::Check, "2026-03-01T09:00:00+08:00", 30, 4, 5, {"river."})));
    ASSERT_TRUE(
        record->add(attemptOf(kTrain, AttemptKind::Check, "2026-03-01T09:05:00+08:00", 30, 4, 4)));
    for (const char* later : {"2026-03-01T09:06:00+08:00", "2026-04-30T09:00:00+08:00"}) {
        const std::vector<DueItem> due = record->due(at(later));
        ASSERT_GE(due.size(), 1u) << later;
        EXPECT_EQ(due[0].lesson.sentence, kRiver.sentence);
        EXPECT_EQ(due[0].lastResult, QStringLiteral("4/5"));
    }
    EXPECT_EQ(record->due(at("2026-03-01T09:06:00+08:00")).size(), 1u);
    // Missed again in a new sitting: still due.
    ASSERT_TRUE(record->add(attemptOf(kRiver, AttemptKind::Check, "2026-03-02T09:00:00+08:00", 30,
                                      3, 5, {"river.", "to"})));
    EXPECT_EQ(record->due(at("2026-03-02T09:01:00+08:00")).size(), 1u);
    ASSERT_TRUE(
        record->add(attemptOf(kRiver, AttemptKind::Check, "2026-03-02T10:00:00+08:00", 30, 5, 5)));
    EXPECT_TRUE(record->due(at("2026-03-02T10:01:00+08:00")).empty());
}

TEST_F(RecordTest, TheScheduleListsEverySentenceAndTheDaysToCome) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    ASSERT_TRUE(record->add(
        attemptOf(kRiver, AttemptKind::Check, "2026-03-01T09:00:00+08:00", 30, 4, 5, {"river."})));
    ASSERT_TRUE(
        record->add(attemptOf(kTrain, AttemptKind::Check, "2026-03-01T09:05:00+08:00", 30, 4, 4)));
    const std::vector<DueItem> all = record->schedule();
    ASSERT_EQ(all.size(), 2u); // the one right too, due later
    EXPECT_EQ(all[0].lesson.sentence, kRiver.sentence);
    EXPECT_EQ(all[1].lesson.sentence, kTrain.sentence);
    EXPECT_LT(all[0].due, all[1].due);
    EXPECT_EQ(all[1].reviews, 1);

    // Counted on the days after now's, in now's time: the train's due day.
    const QDateTime now = at("2026-03-01T10:00:00+08:00");
    const std::vector<int> coming = record->comingDue(now, 7);
    ASSERT_EQ(coming.size(), 7u);
    const qint64 ahead = now.date().daysTo(all[1].due.toOffsetFromUtc(28800).date());
    int total = 0;
    for (std::size_t day = 0; day < coming.size(); ++day) {
        total += coming[day];
        EXPECT_EQ(coming[day], qint64(day) + 1 == ahead ? 1 : 0) << day;
    }
    EXPECT_EQ(total, ahead >= 1 && ahead <= 7 ? 1 : 0); // the river is due today, not counted
    EXPECT_TRUE(record->comingDue(now, 0).empty());
}

TEST_F(RecordTest, AttemptsAreReadOneAtATimeAndKnownOnceWritten) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    const Attempt first =
        attemptOf(kRiver, AttemptKind::Check, "2026-03-01T09:00:00+08:00", 30, 4, 5);
    const Attempt second =
        attemptOf(kRiver, AttemptKind::Compare, "2026-03-01T09:00:00+08:00", 40, 4, 5);
    EXPECT_FALSE(record->contains(first));
    ASSERT_TRUE(record->add(first));
    ASSERT_TRUE(record->add(second));
    EXPECT_TRUE(record->contains(first));
    Attempt other = first;
    other.lesson = kTrain;
    EXPECT_FALSE(record->contains(other));
    int seen = 0;
    EXPECT_FALSE(record->forEachAttempt([&](const Attempt&) { return ++seen < 1; }));
    EXPECT_EQ(seen, 1); // stopped when asked
    EXPECT_TRUE(record->forEachAttempt([&](const Attempt&) { return ++seen > 0; }));
    EXPECT_EQ(seen, 3);
}

TEST_F(RecordTest, AnOpenCancelledMidwayChangesNothing) {
    FillPlan plan;
    plan.attempts = 3000;
    plan.sentences = 100;
    plan.end = at("2026-03-01T09:00:00+08:00");
    {
        auto record = openRecord();
        ASSERT_TRUE(record);
        ASSERT_TRUE(fillRecord(*record, plan));
    }
    const std::atomic<bool> cancelled{true}; // the program closing while it checks
    OpenOutcome outcome;
    EXPECT_FALSE(PracticeRecord::open(path(), &outcome, true, &cancelled));
    EXPECT_EQ(outcome.status, OpenOutcome::Status::Unwritable);
    EXPECT_TRUE(outcome.brokenPath.isEmpty()); // not taken for damage
    auto record = openRecord();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->attempts().size(), 3000u);
}

TEST_F(RecordTest, AnEmptyFileIsNoRecordToAReaderAndStaysEmpty) {
    writeFile(path(), QByteArray());
    OpenOutcome outcome;
    EXPECT_FALSE(PracticeRecord::open(path(), &outcome, false));
    EXPECT_EQ(outcome.status, OpenOutcome::Status::Damaged);
    EXPECT_EQ(QFileInfo(path()).size(), 0);
    EXPECT_FALSE(QFileInfo::exists(path() + QStringLiteral("-wal")));
    // The program starts its record in it.
    EXPECT_TRUE(openRecord());
}

TEST_F(RecordTest, AReadOnlyFileOpensForReadingWithItsHistory) {
    {
        auto record = openRecord();
        ASSERT_TRUE(record);
        ASSERT_TRUE(record->add(attemptOf(kRiver, AttemptKind::Check, "2026-03-01T09:00:00+08:00",
                                          30, 4, 5, {"river."})));
    }
    ASSERT_EQ(chmod(QFile::encodeName(path()).constData(), 0444), 0);
    if (access(QFile::encodeName(path()).constData(), W_OK) == 0)
        GTEST_SKIP() << "running as root: the record keeper's test makes it immutable instead";
    OpenOutcome outcome;
    auto record = PracticeRecord::open(path(), &outcome);
    ASSERT_TRUE(record);
    EXPECT_EQ(outcome.status, OpenOutcome::Status::ReadOnly);
    EXPECT_TRUE(record->isReadOnly());
    EXPECT_EQ(record->attempts().size(), 1u);
    EXPECT_EQ(record->due(at("2026-03-02T09:00:00+08:00")).size(), 1u);
    EXPECT_FALSE(
        record->add(attemptOf(kTrain, AttemptKind::Check, "2026-03-01T09:05:00+08:00", 30, 4, 4)));
    EXPECT_EQ(record->lastFault(), RecordFault::ReadOnly);
    chmod(QFile::encodeName(path()).constData(), 0644);
}

TEST_F(RecordTest, StandingFollowsTheLessonWhenRenamedOrMoved) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    EXPECT_FALSE(record->standing(kRiver));
    ASSERT_TRUE(record->add(
        attemptOf(kRiver, AttemptKind::Check, "2026-03-01T09:00:00+08:00", 30, 4, 5, {"river."})));
    LessonRef moved = kRiver;
    moved.recordingName = QStringLiteral("renamed.txt");
    moved.folder = QStringLiteral("/elsewhere");
    ASSERT_TRUE(record->add(attemptOf(moved, AttemptKind::Compare, "2026-03-01T09:00:00+08:00", 40,
                                      3, 5, {"river.", "to"})));
    const std::optional<LessonStanding> standing = record->standing(kRiver);
    ASSERT_TRUE(standing);
    EXPECT_EQ(standing->lastResult, QStringLiteral("3/5"));
    EXPECT_EQ(standing->lastTime, at("2026-03-01T09:00:40+08:00"));
    EXPECT_EQ(standing->due, at("2026-03-01T09:00:40+08:00"));
    const std::vector<DueItem> due = record->due(at("2026-03-02T00:00:00+08:00"));
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].lesson.recordingName, QStringLiteral("renamed.txt"));
    // Another recording of the same sentence is another lesson.
    LessonRef otherRecording = kRiver;
    otherRecording.audioHash = "00ff";
    EXPECT_FALSE(record->standing(otherRecording));
}

TEST_F(RecordTest, SummaryCountsDaysWordsAndTheMostMissed) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    // Two days in a row before today's; a gap before them.
    ASSERT_TRUE(
        record->add(attemptOf(kTrain, AttemptKind::Check, "2026-02-20T09:00:00+08:00", 60, 4, 4)));
    ASSERT_TRUE(record->add(
        attemptOf(kTrain, AttemptKind::Check, "2026-02-27T23:50:00+08:00", 120, 3, 4, {"Train"})));
    ASSERT_TRUE(record->add(
        attemptOf(kRiver, AttemptKind::Check, "2026-02-28T09:00:00+08:00", 30, 4, 5, {"river."})));
    const char* today = "2026-03-01T09:00:00+08:00";
    ASSERT_TRUE(
        record->add(attemptOf(kRiver, AttemptKind::Check, today, 60, 3, 5, {"River", "walked"})));
    ASSERT_TRUE(record->add(attemptOf(kRiver, AttemptKind::Compare, today, 90, 4, 5, {"river"})));
    ASSERT_TRUE(
        record->add(attemptOf(kTrain, AttemptKind::Check, "2026-03-01T10:00:00+08:00", 30, 4, 4)));

    const RecordSummary summary = record->summary(at("2026-03-01T20:00:00+08:00"));
    EXPECT_EQ(summary.today.day, QDate(2026, 3, 1));
    EXPECT_EQ(summary.today.sentences, 2);
    EXPECT_EQ(summary.today.wordsRight, 4 + 4); // the compare grades the first sitting
    EXPECT_EQ(summary.today.wordsTotal, 5 + 4);
    EXPECT_DOUBLE_EQ(summary.today.minutes, (90 + 30) / 60.0);
    EXPECT_EQ(summary.daysInARow, 3);
    ASSERT_EQ(summary.lastDays.size(), 30u);
    EXPECT_EQ(summary.lastDays.front().day, QDate(2026, 1, 31));
    EXPECT_EQ(summary.lastDays[27].day, QDate(2026, 2, 27));
    EXPECT_EQ(summary.lastDays[27].sentences, 1);
    EXPECT_EQ(summary.lastDays[26].sentences, 0);
    // Once per sitting, by the attempt that grades it: today's check and
    // compare of the river count once, the compare's miss.
    ASSERT_EQ(summary.mostMissed.size(), 2u);
    EXPECT_EQ(summary.mostMissed[0].word, QStringLiteral("river"));
    EXPECT_EQ(summary.mostMissed[0].count, 2);
    EXPECT_EQ(summary.mostMissed[1].word, QStringLiteral("train"));
    EXPECT_EQ(summary.mostMissed[0].sentences, QStringList{kRiver.sentence});
    ASSERT_EQ(summary.due.size(), 1u);
    EXPECT_EQ(summary.due[0].lesson.sentence, kRiver.sentence);

    // Tomorrow without practice yet: the run still counts up to today.
    EXPECT_EQ(record->summary(at("2026-03-02T08:00:00+08:00")).daysInARow, 3);
    EXPECT_EQ(record->summary(at("2026-03-03T08:00:00+08:00")).daysInARow, 0);
}

enum class Damage { NotADatabase, CutShort, PageOverwritten };

// A real record damaged as a copy stopped half-way or a failing disk leaves it.
QByteArray damagedRecord(const QString& path, Damage damage) {
    {
        auto record = PracticeRecord::open(path, nullptr);
        std::vector<Attempt> many;
        for (int n = 0; n < 400; ++n)
            many.push_back(attemptOf(lessonOf(QStringLiteral("Sentence number %1.").arg(n)),
                                     AttemptKind::Check, "2026-03-01T09:00:00+08:00", n, 3, 4,
                                     {QStringLiteral("number")}));
        if (!record || !record->addAll(many))
            return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return {};
    if (damage == Damage::CutShort) {
        file.resize(file.size() * 3 / 5);
    } else {
        file.seek(file.size() / 2 / 4096 * 4096);
        file.write(QByteArray(4096, '\x5a'));
    }
    file.seek(0);
    const QByteArray bytes = file.readAll();
    file.close();
    return bytes;
}

TEST_F(RecordTest, ADamagedFileIsKeptAsideAndANewOneStarted) {
    for (const Damage damage : {Damage::NotADatabase, Damage::CutShort, Damage::PageOverwritten}) {
        SCOPED_TRACE(static_cast<int>(damage));
        QDir(QFileInfo(path()).absolutePath()).removeRecursively();
        QByteArray damaged = QByteArray("not a database, just words ").repeated(200);
        if (damage == Damage::NotADatabase)
            writeFile(path(), damaged);
        else
            damaged = damagedRecord(path(), damage);
        ASSERT_FALSE(damaged.isEmpty());
        OpenOutcome outcome;
        // The lesson tool reads: it reports the damage and changes nothing.
        EXPECT_FALSE(PracticeRecord::open(path(), &outcome, false));
        EXPECT_EQ(outcome.status, OpenOutcome::Status::Damaged);
        EXPECT_EQ(QDir(QFileInfo(path()).absolutePath()).entryList(QDir::Files).size(), 1);

        auto record = openRecord(&outcome);
        ASSERT_TRUE(record);
        EXPECT_EQ(outcome.status, OpenOutcome::Status::MovedAside);
        EXPECT_TRUE(QFileInfo(outcome.brokenPath)
                        .fileName()
                        .contains(QRegularExpression(
                            QStringLiteral("^practice\\.sqlite3\\.broken-\\d{8}-\\d{6}$"))))
            << outcome.brokenPath.toStdString();
        QFile kept(outcome.brokenPath);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), damaged);
        ASSERT_TRUE(record->add(
            attemptOf(kRiver, AttemptKind::Check, "2026-03-01T09:00:00+08:00", 30, 5, 5)));
        record.reset();
        // Told once: the new file opens plainly.
        record = openRecord(&outcome);
        EXPECT_EQ(outcome.status, OpenOutcome::Status::Opened);
        EXPECT_EQ(record->attempts().size(), 1u);
    }
}

TEST(RecordingHash, NamesTheBytesNotTheFile) {
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("a.txt"));
    const QString second = dir.filePath(QStringLiteral("renamed.txt"));
    for (const QString& file : {first, second}) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("abc");
    }
    // SHA-256 of "abc".
    EXPECT_EQ(hashRecording(first),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(hashRecording(second), hashRecording(first));
    EXPECT_TRUE(hashRecording(dir.filePath(QStringLiteral("missing.txt"))).isEmpty());
}

TEST_F(RecordTest, AMissingFileIsNotMadeByAReader) {
    OpenOutcome outcome;
    EXPECT_FALSE(PracticeRecord::open(path(), &outcome, false));
    EXPECT_EQ(outcome.status, OpenOutcome::Status::Missing);
    EXPECT_FALSE(QFileInfo::exists(path()));
}

TEST_F(RecordTest, AnUnwritablePlaceIsReportedNotFatal) {
    writeFile(m_dir.filePath(QStringLiteral("plainfile")), "x");
    OpenOutcome outcome;
    EXPECT_FALSE(PracticeRecord::open(
        m_dir.filePath(QStringLiteral("plainfile/hearvex/practice.sqlite3")), &outcome));
    EXPECT_EQ(outcome.status, OpenOutcome::Status::Unwritable);
    EXPECT_FALSE(outcome.reason.isEmpty());

    const QString folder = m_dir.filePath(QStringLiteral("readonly"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
    if (access(QFile::encodeName(folder).constData(), W_OK) == 0)
        GTEST_SKIP() << "running as root: a read-only folder can still be written";
    EXPECT_FALSE(PracticeRecord::open(folder + QStringLiteral("/practice.sqlite3"), &outcome));
    EXPECT_EQ(outcome.status, OpenOutcome::Status::Unwritable);
    chmod(QFile::encodeName(folder).constData(), 0755);
}

// A file as the first version of the program left it.
void writeVersion1(const QString& file) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
    const char* sql = R"sql(
        PRAGMA journal_mode = WAL;
        CREATE TABLE lessons (id INTEGER PRIMARY KEY, sentence TEXT NOT NULL,
            audio_hash TEXT NOT NULL, recording_name TEXT NOT NULL, folder TEXT NOT NULL,
            UNIQUE (sentence, audio_hash));
        CREATE TABLE attempts (id INTEGER PRIMARY KEY,
            lesson_id INTEGER NOT NULL REFERENCES lessons (id), time_ms INTEGER NOT NULL,
            utc_offset INTEGER NOT NULL, kind TEXT NOT NULL CHECK (kind IN ('check', 'compare')),
            words_right INTEGER NOT NULL, words_total INTEGER NOT NULL, missed TEXT NOT NULL,
            typed TEXT NOT NULL, speed_percent INTEGER NOT NULL,
            seconds_since_start INTEGER NOT NULL, replays INTEGER NOT NULL,
            lesson_started_ms INTEGER NOT NULL, recording_name TEXT NOT NULL, folder TEXT NOT NULL);
        CREATE INDEX attempts_by_time ON attempts (time_ms);
        INSERT INTO lessons VALUES (1, 'We walked to the river.', 'aa11', 'l1.txt', '/f'),
                                   (2, 'The train left early.', 'bb22', 'l2.txt', '/f');
        -- 2026-03-01 01:00 UTC, 09:00 at +08:00
        INSERT INTO attempts VALUES
            (1, 1, 1772326800000, 28800, 'check', 4, 5, 'river.', 'we walked to the', 100, 30, 0,
             1772326770000, 'l1.txt', '/f'),
            (2, 2, 1772326900000, 28800, 'check', 4, 4, '', 'the train left early', 100, 20, 0,
             1772326880000, 'l2.txt', '/f'),
            (3, 1, 1772326950000, 28800, 'compare', 4, 5, 'River', 'we walked to the', 100, 180, 0,
             1772326770000, 'l1.txt', '/f');
        PRAGMA user_version = 1;
    )sql";
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

TEST_F(RecordTest, AnOlderRecordIsMigratedWithItsHistory) {
    QDir().mkpath(QFileInfo(path()).absolutePath());
    writeVersion1(path());
    auto record = openRecord();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->attempts().size(), 3u);
    const QDateTime now = at("2026-03-01T12:00:00+08:00");
    const std::vector<DueItem> due = record->due(now);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].lesson.sentence, QStringLiteral("We walked to the river."));
    EXPECT_EQ(due[0].reviews, 1);
    const RecordSummary summary = record->summary(now);
    EXPECT_EQ(summary.today.sentences, 2);
    EXPECT_DOUBLE_EQ(summary.today.minutes, (180 + 20) / 60.0);
    ASSERT_FALSE(summary.mostMissed.empty());
    EXPECT_EQ(summary.mostMissed[0].word, QStringLiteral("river"));
    EXPECT_EQ(summary.mostMissed[0].count, 1); // the check and compare of one sitting
    // New attempts go on from the replayed schedule.
    Attempt right =
        attemptOf(due[0].lesson, AttemptKind::Check, "2026-03-02T09:00:00+08:00", 20, 5, 5);
    ASSERT_TRUE(record->add(right));
    EXPECT_TRUE(record->due(at("2026-03-02T10:00:00+08:00")).empty());
    EXPECT_EQ(record->standing(due[0].lesson)->lastResult, QStringLiteral("5/5"));
}

TEST_F(RecordTest, ANewerRecordIsLeftAlone) {
    QDir().mkpath(QFileInfo(path()).absolutePath());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path()).constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE future (x); PRAGMA user_version = 99;", nullptr, nullptr,
                 nullptr);
    sqlite3_close(db);
    OpenOutcome outcome;
    EXPECT_FALSE(PracticeRecord::open(path(), &outcome));
    EXPECT_EQ(outcome.status, OpenOutcome::Status::Unwritable);
    EXPECT_TRUE(outcome.reason.contains(QStringLiteral("newer")));
    EXPECT_TRUE(QFileInfo::exists(path()));
    EXPECT_EQ(QDir(QFileInfo(path()).absolutePath()).entryList({QStringLiteral("*broken*")}).size(),
              0);
}

TEST_F(RecordTest, AnotherProgramsDatabaseIsNotTouchedByAReaderAndKeptAside) {
    QDir().mkpath(QFileInfo(path()).absolutePath());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path()).constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE notes (text); INSERT INTO notes VALUES ('mine');", nullptr,
                 nullptr, nullptr);
    sqlite3_close(db);
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    OpenOutcome outcome;
    EXPECT_FALSE(PracticeRecord::open(path(), &outcome, false));
    EXPECT_EQ(outcome.status, OpenOutcome::Status::Damaged);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before); // its journal mode too
    file.close();

    auto record = openRecord(&outcome);
    EXPECT_EQ(outcome.status, OpenOutcome::Status::MovedAside);
    QFile kept(outcome.brokenPath);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), before);
}

// Runs body in a child process; its exit status, or -signal when killed.
template <typename Body> pid_t inChild(Body body) {
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body() ? 0 : 1);
    return pid;
}

int statusOf(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

Attempt numbered(int writer, int n) {
    const LessonRef lesson =
        lessonOf(QStringLiteral("Sentence %1 of writer %2.").arg(n).arg(writer));
    Attempt attempt = attemptOf(lesson, AttemptKind::Check, "2026-03-01T09:00:00+08:00", n, 3, 4,
                                {QStringLiteral("w%1").arg(writer)});
    return attempt;
}

TEST_F(RecordTest, TwoProgramsRecordAtOnce) {
    openRecord(); // made once, so both writers open an existing record
    constexpr int kEach = 60;
    const auto writer = [this](int id) {
        auto record = PracticeRecord::open(path(), nullptr);
        if (!record)
            return false;
        for (int n = 0; n < kEach; ++n)
            if (!record->add(numbered(id, n)))
                return false;
        return true;
    };
    const pid_t first = inChild([&] { return writer(1); });
    const pid_t second = inChild([&] { return writer(2); });
    EXPECT_EQ(statusOf(first), 0);
    EXPECT_EQ(statusOf(second), 0);
    auto record = openRecord();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->attempts().size(), std::size_t(2 * kEach));
    EXPECT_EQ(record->due(at("2026-03-02T00:00:00+08:00")).size(), std::size_t(2 * kEach));
}

TEST_F(RecordTest, AKilledProgramLosesNothingAlreadyRecorded) {
    const pid_t killed = inChild([this] {
        auto record = PracticeRecord::open(path(), nullptr);
        for (int n = 0; record && n < 5; ++n)
            if (!record->add(numbered(1, n)))
                return false;
        raise(SIGKILL);
        return true;
    });
    ASSERT_EQ(statusOf(killed), -SIGKILL);
    OpenOutcome outcome;
    auto record = openRecord(&outcome);
    ASSERT_TRUE(record);
    EXPECT_EQ(outcome.status, OpenOutcome::Status::Opened);
    EXPECT_EQ(record->attempts().size(), 5u);
}

} // namespace
