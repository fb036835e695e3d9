// Shadowing takes in the practice record: kept as attempts of their own kind,
// counted apart per day, and never a review of the sentence.
#include "practice_record.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using namespace hearvex::record;

QDateTime at(const char* iso) {
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

Attempt attemptOf(AttemptKind kind, const QDateTime& time, int right, int total, int seconds) {
    Attempt a;
    a.lesson = {"l1.txt", "/f", "We walked to the river.", "aa11"};
    a.kind = kind;
    a.time = time;
    a.lessonStarted = time.addSecs(-seconds);
    a.wordsRight = right;
    a.wordsTotal = total;
    a.missedWords = right < total ? QStringList{"river."} : QStringList{};
    a.secondsSinceStart = seconds;
    return a;
}

class ShadowAttemptTest : public testing::Test {
protected:
    std::unique_ptr<PracticeRecord> open() {
        OpenOutcome outcome{};
        return PracticeRecord::open(m_dir.filePath("practice.sqlite3"), &outcome);
    }
    QTemporaryDir m_dir;
};

TEST_F(ShadowAttemptTest, ATakeIsKeptAsShadowAndLeavesTheReviewAlone) {
    auto record = open();
    ASSERT_TRUE(record);
    const QDateTime morning = at("2026-03-01T09:00:00+08:00");
    ASSERT_TRUE(record->add(attemptOf(AttemptKind::Check, morning, 5, 5, 60)));
    const std::vector<DueItem> before = record->schedule();
    ASSERT_EQ(before.size(), 1u);
    // A poor take (it would be Again as a dictation) an hour later.
    ASSERT_TRUE(record->add(attemptOf(AttemptKind::Shadow, morning.addSecs(3600), 2, 5, 4)));
    const std::vector<DueItem> after = record->schedule();
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].due, before[0].due);
    EXPECT_EQ(after[0].reviews, before[0].reviews);

    const std::vector<Attempt> all = record->attempts();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].kind, AttemptKind::Shadow);
    EXPECT_EQ(all[1].wordsRight, 2);
    EXPECT_EQ(all[1].missedWords, QStringList{"river."});
}

TEST_F(ShadowAttemptTest, TakesAreCountedApartFromTheDictation) {
    auto record = open();
    ASSERT_TRUE(record);
    const QDateTime morning = at("2026-03-01T09:00:00+08:00");
    ASSERT_TRUE(record->add(attemptOf(AttemptKind::Check, morning, 4, 5, 120)));
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(
            record->add(attemptOf(AttemptKind::Shadow, morning.addSecs(200 + i * 20), 1, 5, 20)));
    const RecordSummary summary = record->summary(morning.addSecs(3600));
    EXPECT_EQ(summary.today.sentences, 1);
    EXPECT_EQ(summary.today.wordsRight, 4); // the takes' words are not dictation
    EXPECT_EQ(summary.today.wordsTotal, 5);
    EXPECT_NEAR(summary.today.minutes, 2.0, 0.01);
    EXPECT_EQ(summary.today.shadowTakes, 3);
    EXPECT_NEAR(summary.today.shadowMinutes, 1.0, 0.01);
    for (const MissedWord& missed : summary.mostMissed)
        EXPECT_EQ(missed.count, 1) << missed.word.toStdString(); // the check's miss alone
}

TEST_F(ShadowAttemptTest, KindsReadBackByName) {
    for (const AttemptKind kind : {AttemptKind::Check, AttemptKind::Compare, AttemptKind::Shadow})
        EXPECT_EQ(attemptKindNamed(attemptKindName(kind)), kind);
    EXPECT_EQ(attemptKindName(AttemptKind::Shadow), "shadow");
    EXPECT_FALSE(attemptKindNamed("dictation").has_value());
}

TEST_F(ShadowAttemptTest, ARecordOfTheVersionBeforeTakesShadowingToo) {
    // A version-2 record: the attempts' kinds were only check and compare.
    {
        auto record = open();
        ASSERT_TRUE(record);
        ASSERT_TRUE(
            record->add(attemptOf(AttemptKind::Check, at("2026-03-01T09:00:00+08:00"), 5, 5, 60)));
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_dir.filePath("practice.sqlite3").toUtf8().constData(), &db),
              SQLITE_OK);
    const char* back = R"sql(
        PRAGMA writable_schema = ON;
        UPDATE sqlite_master SET sql = replace(sql, ', ''shadow''', '')
         WHERE type = 'table' AND name = 'attempts';
        PRAGMA writable_schema = OFF;
        PRAGMA user_version = 2;
    )sql";
    EXPECT_EQ(sqlite3_exec(db, back, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);

    auto record = open();
    ASSERT_TRUE(record);
    EXPECT_TRUE(
        record->add(attemptOf(AttemptKind::Shadow, at("2026-03-01T10:00:00+08:00"), 3, 5, 5)))
        << record->lastError().toStdString();
    EXPECT_EQ(record->attempts().size(), 2u);
}

} // namespace
