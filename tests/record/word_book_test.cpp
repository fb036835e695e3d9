// The word book: words kept with their sentences, how often they were missed
// and how, the CSV and word-list exports, and `record words`.
#include "lessons/lesson_tool_run.h"
#include "practice_record.h"
#include "word_book.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hearvex::record;
using hearvex::testing::runTool;

namespace {

QDateTime at(const char* iso) {
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

const LessonRef kPress{QStringLiteral("lesson01.txt"), QStringLiteral("/lessons"),
                       QStringLiteral("The letterpress was shown at the Exhibition."),
                       QByteArray("a1b2")};
const LessonRef kRiver{QStringLiteral("lesson02.txt"), QStringLiteral("/lessons"),
                       QStringLiteral("We walked along the river."), QByteArray("c3d4")};

Attempt compareOf(const LessonRef& lesson, const char* started, std::vector<AttemptMiss> misses) {
    Attempt attempt;
    attempt.lesson = lesson;
    attempt.kind = AttemptKind::Compare;
    attempt.lessonStarted = at(started);
    attempt.time = attempt.lessonStarted.addSecs(40);
    attempt.secondsSinceStart = 40;
    attempt.wordsTotal = 6;
    attempt.typedText = QStringLiteral("typed");
    for (const AttemptMiss& miss : misses)
        attempt.missedWords << miss.word;
    attempt.misses = std::move(misses);
    return attempt;
}

class WordBookTest : public ::testing::Test {
protected:
    WordBookTest() {
        OpenOutcome outcome;
        auto record = PracticeRecord::open(path(), &outcome);
        EXPECT_TRUE(record) << outcome.reason.toStdString();
        if (!record)
            return;
        EXPECT_TRUE(record->add(compareOf(kPress, "2026-12-01T10:00:00+08:00",
                                          {{"letterpress", "leterpress", "spelling", true}})));
        EXPECT_TRUE(record->add(
            compareOf(kPress, "2026-12-02T10:00:00+08:00",
                      {{"letterpress", "", "rare", true}, {"Exhibition.", "", "missed", false}})));
    }
    QString path() const { return m_dir.filePath(QStringLiteral("practice.sqlite3")); }

    std::unique_ptr<WordBook> openBook() {
        QString reason;
        auto book = WordBook::open(path(), &reason);
        EXPECT_TRUE(book) << reason.toStdString();
        return book;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(WordBookTest, KeepsEachWordOnceWithItsSentencesAndMisses) {
    auto book = openBook();
    ASSERT_TRUE(book);
    EXPECT_TRUE(book->words().empty());
    ASSERT_TRUE(book->keep({QStringLiteral("Letterpress"), kPress, 4, at("2026-12-03T09:00:00Z")}));
    // The same word, sentence and place once only; another sentence is another keeping.
    ASSERT_TRUE(book->keep({QStringLiteral("letterpress"), kPress, 4, at("2026-12-03T09:01:00Z")}));
    ASSERT_TRUE(book->keep({QStringLiteral("river."), kRiver, 20, at("2026-12-03T09:02:00Z")}));
    ASSERT_TRUE(
        book->keep({QStringLiteral("letterpress"), kRiver, -1, at("2026-12-03T09:03:00Z")}));
    EXPECT_FALSE(book->keep({QStringLiteral("..."), kRiver, 0, at("2026-12-03T09:04:00Z")}));

    const std::vector<WordBookWord> words = book->words();
    ASSERT_EQ(words.size(), 2u);
    // The most recently kept first.
    EXPECT_EQ(words[0].word, QStringLiteral("letterpress"));
    ASSERT_EQ(words[0].kept.size(), 2u);
    EXPECT_EQ(words[0].kept[0].word, QStringLiteral("Letterpress"));
    EXPECT_EQ(words[0].kept[0].lesson.sentence, kPress.sentence);
    EXPECT_EQ(words[0].kept[0].position, 4);
    EXPECT_EQ(words[0].kept[1].lesson.recordingName, QStringLiteral("lesson02.txt"));
    EXPECT_EQ(words[0].timesMissed, 2);
    ASSERT_EQ(words[0].kinds.size(), 2u);
    EXPECT_EQ(words[0].kinds[0].kind, QStringLiteral("rare"));
    EXPECT_EQ(words[1].word, QStringLiteral("river"));
    EXPECT_EQ(words[1].timesMissed, 0);
}

TEST_F(WordBookTest, ExportsCsvAndAWordList) {
    auto book = openBook();
    ASSERT_TRUE(book);
    ASSERT_TRUE(book->keep({QStringLiteral("letterpress"), kPress, 4, at("2026-12-03T09:00:00Z")}));
    const auto glosses = [](const QString& word) {
        return word == QLatin1String("letterpress") ? QStringLiteral("n. 凸版印刷") : QString();
    };
    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeWordBookCsv(book->words(), glosses, csv));
    const QStringList lines =
        QString::fromUtf8(csv.data()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("word,glosses,missed,kinds,sentence,lesson,position,kept"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral(
        "letterpress,n. 凸版印刷,2,rare 1; spelling 1,The letterpress was shown at the "
        "Exhibition.,lesson01.txt,4,")))
        << lines[1].toStdString();

    const QByteArray list = wordBookList(book->words(), glosses);
    EXPECT_TRUE(list.startsWith("{\\rtf1"));
    EXPECT_TRUE(list.contains("letterpress"));
    EXPECT_TRUE(list.contains("\\u20984?")); // 凸
    EXPECT_TRUE(list.endsWith('}'));
}

TEST_F(WordBookTest, OnlyAnExistingRecordOfThisVersionIsOpened) {
    QString reason;
    EXPECT_FALSE(WordBook::open(m_dir.filePath(QStringLiteral("none.sqlite3")), &reason));
    EXPECT_FALSE(reason.isEmpty());
    const QString other = m_dir.filePath(QStringLiteral("other.sqlite3"));
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database at all, but the learner's own file");
    file.close();
    EXPECT_FALSE(WordBook::open(other, &reason));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("not a database at all, but the learner's own file"));
}

TEST_F(WordBookTest, RecordWordsListsTheBookAsTextAndCsv) {
    {
        auto book = openBook();
        ASSERT_TRUE(book);
        ASSERT_TRUE(
            book->keep({QStringLiteral("letterpress"), kPress, 4, at("2026-12-03T09:00:00Z")}));
    }
    const auto text = runTool({"record", "words", "--db", path()});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.startsWith(QStringLiteral("letterpress  missed 2 (rare 1, spelling 1)")))
        << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(kPress.sentence));
    const auto csv = runTool({"record", "words", "--csv", "--db", path()});
    ASSERT_EQ(csv.exitCode, 0);
    EXPECT_TRUE(csv.out.startsWith(QStringLiteral("word,glosses,missed,kinds")));
    EXPECT_TRUE(csv.out.contains(QStringLiteral("\r\nletterpress,")));
    EXPECT_EQ(runTool({"record", "words", "--db", m_dir.filePath("missing")}).exitCode, 1);
    EXPECT_EQ(runTool({"record", "words", "--bad"}).exitCode, 2);
}
