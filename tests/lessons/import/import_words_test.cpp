// An import whose sentences' words are found: each lesson's NAME.words in the
// times of its own clip, long sentences as phrase lessons, sentences not heard
// kept without word times, uncertain ones listed. The words come from a
// scripted finder; the aligner itself has tests of its own.
#include "import_files.h"
#include "import_media.h"
#include "lesson_file.h"
#include "word_times.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hearvex::lessons;
using namespace hearvex::testing;

namespace {

// Spreads each sentence's words evenly over its cue; "unheard" sentences are
// not found, "mumbled" ones only with low confidence.
WordSearchResult scriptedWords(const std::vector<WordSearch>& searches) {
    WordSearchResult result;
    for (const WordSearch& search : searches) {
        FoundWords found;
        found.matched = !search.sentence.contains(QLatin1String("unheard"));
        const QStringList texts = search.sentence.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const qint64 step = (search.toMs - search.fromMs) / std::max<qint64>(1, texts.size());
        const double confidence = search.sentence.contains(QLatin1String("mumbled")) ? 0.3 : 0.9;
        for (qsizetype i = 0; found.matched && i < texts.size(); ++i)
            found.words.push_back({search.fromMs + i * step, search.fromMs + (i + 1) * step - 40,
                                   confidence, texts[i]});
        result.found.push_back(found);
    }
    return result;
}

const char* const kSrt =
    "1\n00:00:00,500 --> 00:00:01,500\nA short first line.\n\n"
    "2\n00:00:02,000 --> 00:00:06,000\nOne two three four five six, seven eight nine ten "
    "eleven twelve, thirteen fourteen fifteen sixteen seventeen eighteen.\n\n"
    "3\n00:00:06,400 --> 00:00:07,000\nSome mumbled words.\n\n"
    "4\n00:00:07,200 --> 00:00:07,800\nAn unheard line.\n";

class ImportWords : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(writeToneMp3(m_dir.filePath(QStringLiteral("talk.mp3")), 8.0));
        ASSERT_TRUE(writeFileBytes(m_dir.filePath(QStringLiteral("talk.srt")), kSrt));
    }
    ImportRequest request(int maxWords) const {
        ImportRequest r = importRequest(m_dir.filePath(QStringLiteral("talk.mp3")),
                                        m_dir.filePath(QStringLiteral("talk.srt")), folder(),
                                        QStringLiteral("talk"), true);
        r.phrases.maxWords = maxWords;
        r.findWords = [this](const QByteArray& media, const std::vector<WordSearch>& searches,
                             const WordSearchProgress& progress) {
            EXPECT_EQ(media, QFile::encodeName(m_dir.filePath(QStringLiteral("talk.mp3"))));
            if (progress && !progress(0.5))
                return WordSearchResult{true, {}, {}};
            return scriptedWords(searches);
        };
        return r;
    }
    QString folder() const { return m_dir.filePath(QStringLiteral("lessons")); }
    WordTimesFile wordsOf(const QString& recording) const {
        return readWordTimes(QFile::encodeName(QDir(folder()).filePath(recording)));
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ImportWords, WritesEachLessonsWordsInItsClipsTimesAndSplitsTheLongSentence) {
    // The progress tells the words being found from the clips being cut, in that order.
    QStringList stages;
    const ImportResult result = importMedia(request(8), [&](const ImportProgressInfo& info) {
        const QString stage = info.findingWords ? QStringLiteral("words") : QStringLiteral("cut");
        if (stages.isEmpty() || stages.last() != stage)
            stages << stage;
        return true;
    });
    EXPECT_EQ(stages, QStringList({QStringLiteral("words"), QStringLiteral("cut")}));
    ASSERT_EQ(result.outcome, ImportOutcome::Done) << result.message.toStdString();
    const struct {
        const char* sentence;
        qsizetype words; // 0: no word-time file
    } expected[] = {
        {"A short first line.", 4},
        {"One two three four five six,", 6},
        {"seven eight nine ten eleven twelve,", 6},
        {"thirteen fourteen fifteen sixteen seventeen eighteen.", 6},
        {"Some mumbled words.", 3},
        {"An unheard line.", 0},
    };
    ASSERT_EQ(result.lessons.size(), qsizetype(std::size(expected)));
    for (qsizetype i = 0; i < result.lessons.size(); ++i) {
        const QString recording = result.lessons[i];
        EXPECT_EQ(readLessonText(QDir(folder()).filePath(textFileName(recording))).text,
                  QString::fromUtf8(expected[i].sentence));
        const WordTimesFile words = wordsOf(QString(recording).replace(".txt", ".words"));
        ASSERT_EQ(qsizetype(words.words.size()), expected[i].words) << recording.toStdString();
        if (words.words.empty())
            continue;
        // The clip starts in the half second before its first word, and holds the last.
        EXPECT_LE(words.words.front().startMs, 600) << recording.toStdString();
        const double clipMs = recordingSeconds(QDir(folder()).filePath(recording)) * 1000;
        EXPECT_LE(double(words.words.back().endMs), clipMs + 30) << recording.toStdString();
        EXPECT_EQ(words.words.front().text,
                  QString::fromUtf8(expected[i].sentence).section(QLatin1Char(' '), 0, 0));
    }
    EXPECT_EQ(result.uncertain, QStringList{QStringLiteral("talk-005.txt")});
    ASSERT_EQ(result.warnings.size(), 1);
    EXPECT_TRUE(result.warnings[0].contains(QStringLiteral("cue 4")))
        << result.warnings[0].toStdString();
    // 6 recordings, 6 texts, 5 word-time files, nothing else.
    EXPECT_EQ(folderListing(folder()).size(), 17);
}

TEST_F(ImportWords, NoSplittingWhenTurnedOffAndAReplacedSetLeavesNoOldWordTimes) {
    ASSERT_EQ(importMedia(request(8)).lessons.size(), 6);
    ImportRequest whole = request(0);
    const ImportResult result = importMedia(whole);
    ASSERT_EQ(result.outcome, ImportOutcome::Done) << result.message.toStdString();
    ASSERT_EQ(result.lessons.size(), 4);
    EXPECT_EQ(wordsOf(QStringLiteral("talk-002.words")).words.size(), 18u);
    EXPECT_EQ(folderListing(folder()).size(), 4 + 4 + 3);

    whole.findWords = nullptr; // no finder: no word times, and none left from before
    ASSERT_EQ(importMedia(whole).outcome, ImportOutcome::Done);
    EXPECT_EQ(folderListing(folder()).size(), 4 + 4);
}

TEST_F(ImportWords, CancelledWhileFindingWordsChangesNothing) {
    const ImportResult result = importMedia(request(8), [](const ImportProgressInfo& info) {
        return info.doneMs < 500; // stops at the finder's first report
    });
    EXPECT_EQ(result.outcome, ImportOutcome::Cancelled);
    EXPECT_FALSE(QFileInfo::exists(folder()));
}
