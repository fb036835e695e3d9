// The words missed most, counted honestly: once per sitting, by the attempt
// that grades it, without the untyped tail, function words apart; and the
// kinds of miss of the last 30 days.
#include "practice_record.h"
#include "word_misses.h"

#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hearvex::record;

namespace {

QDateTime at(const char* iso) {
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

const LessonRef kPress{QStringLiteral("lesson01.txt"), QStringLiteral("/lessons"),
                       QStringLiteral("If the letterpress was in the Exhibition of 1455."),
                       QByteArray("a1b2")};

struct MissSpec {
    const char* word;
    const char* kind;
    bool counted;
};

Attempt attemptOf(AttemptKind kind, const char* started, int seconds,
                  std::vector<MissSpec> misses) {
    Attempt attempt;
    attempt.lesson = kPress;
    attempt.kind = kind;
    attempt.lessonStarted = at(started);
    attempt.time = attempt.lessonStarted.addSecs(seconds);
    attempt.secondsSinceStart = seconds;
    attempt.wordsTotal = 9;
    attempt.typedText = QStringLiteral("typed");
    for (const MissSpec& miss : misses) {
        attempt.missedWords << QString::fromUtf8(miss.word);
        attempt.misses.push_back({QString::fromUtf8(miss.word), QString(),
                                  QString::fromLatin1(miss.kind), miss.counted});
    }
    attempt.wordsRight = attempt.wordsTotal - int(misses.size());
    return attempt;
}

// "word count" in order.
std::vector<std::string> counts(const std::vector<MissedWord>& words) {
    std::vector<std::string> out;
    for (const MissedWord& word : words)
        out.push_back(word.word.toStdString() + ' ' + std::to_string(word.count));
    return out;
}

std::vector<std::string> kindCounts(const std::vector<KindCount>& kinds) {
    std::vector<std::string> out;
    for (const KindCount& kind : kinds)
        out.push_back(kind.kind.toStdString() + ' ' + std::to_string(kind.count));
    return out;
}

class WordMissesTest : public ::testing::Test {
protected:
    std::unique_ptr<PracticeRecord> openRecord() {
        OpenOutcome outcome;
        auto record =
            PracticeRecord::open(m_dir.filePath(QStringLiteral("practice.sqlite3")), &outcome);
        EXPECT_TRUE(record) << outcome.reason.toStdString();
        return record;
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(WordMissesTest, CountsOncePerSittingByItsGradingAttemptWithoutTheUntypedTail) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    // Before kinds were kept: a check, its missed words only.
    Attempt older = attemptOf(AttemptKind::Check, "2026-11-01T10:00:00+08:00", 30, {});
    older.missedWords = QStringList{"Letterpress", "of"};
    ASSERT_TRUE(record->add(older));
    // One sitting: the check shifts after "If" (the cascade), the compare does not;
    // the compare grades the sitting, so only its misses count.
    ASSERT_TRUE(record->add(attemptOf(AttemptKind::Check, "2026-12-01T10:00:00+08:00", 40,
                                      {{"If", "function", true},
                                       {"letterpress", "rare", true},
                                       {"was", "function", true},
                                       {"in", "function", true}})));
    ASSERT_TRUE(record->add(attemptOf(AttemptKind::Compare, "2026-12-01T10:00:00+08:00", 60,
                                      {{"If", "function", true},
                                       {"letterpress", "spelling", true},
                                       {"Exhibition", "case", true},
                                       {"of", "function", false},
                                       {"1455.", "missed", false}})));
    // Another sitting, a check only: it grades its sitting.
    ASSERT_TRUE(record->add(attemptOf(AttemptKind::Check, "2026-12-02T10:00:00+08:00", 20,
                                      {{"letterpress", "rare", true}})));

    const RecordSummary summary = record->summary(at("2026-12-03T09:00:00+08:00"));
    EXPECT_EQ(counts(summary.mostMissed),
              (std::vector<std::string>{"letterpress 3", "exhibition 1", "of 1"}));
    EXPECT_EQ(counts(summary.mostMissedFunctionWords), (std::vector<std::string>{"if 1"}));
    ASSERT_FALSE(summary.mostMissed.empty());
    EXPECT_EQ(summary.mostMissed.front().sentences, QStringList{kPress.sentence});
    // The older check is beyond 30 days and had no kinds; the tail is not counted.
    EXPECT_EQ(kindCounts(summary.missKinds),
              (std::vector<std::string>{"case 1", "function 1", "rare 1", "spelling 1"}));
}

TEST_F(WordMissesTest, ARecordWithoutKindsCountsItsGradingAttemptsMissedWords) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    Attempt check = attemptOf(AttemptKind::Check, "2026-12-01T10:00:00+08:00", 30, {});
    check.missedWords = QStringList{"the", "river."};
    Attempt compare = attemptOf(AttemptKind::Compare, "2026-12-01T10:00:00+08:00", 50, {});
    compare.missedWords = QStringList{"River"};
    ASSERT_TRUE(record->addAll({check, compare}));
    const RecordSummary summary = record->summary(at("2026-12-01T12:00:00+08:00"));
    EXPECT_EQ(counts(summary.mostMissed), (std::vector<std::string>{"river 1"}));
    EXPECT_TRUE(summary.mostMissedFunctionWords.empty());
    EXPECT_TRUE(summary.missKinds.empty());
}

TEST(WordMissesJson, KeepsEveryFieldAndSkipsBrokenEntries) {
    const std::vector<AttemptMiss> misses = {{"There", "Their", "homophone", true},
                                             {"today.", "", "missed", false}};
    QJsonArray array = missesJson(misses);
    array.append(QJsonObject{{QStringLiteral("word"), QString()},
                             {QStringLiteral("kind"), QStringLiteral("missed")}});
    array.append(QStringLiteral("not an object"));
    const std::vector<AttemptMiss> back = missesFromJson(array);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].word, QStringLiteral("There"));
    EXPECT_EQ(back[0].typed, QStringLiteral("Their"));
    EXPECT_EQ(back[0].kind, QStringLiteral("homophone"));
    EXPECT_TRUE(back[0].counted);
    EXPECT_FALSE(back[1].counted);
}
