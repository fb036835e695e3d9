// Word times on real speech (pocketsphinx-testdata's LibriVox utterances
// joined with pauses): found inside each cue by CMU Sphinx, written beside
// each lesson of an import, the long sentence cut into phrases in its pauses,
// and added afterwards to lessons imported without them.
#include "cue_word_finder.h"
#include "import_media.h"
#include "lesson_file.h"
#include "support/spoken_material.h"
#include "word_times.h"
#include "words_command.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hearvex::lessons;
using namespace hearvex::testing;

namespace {

QString srtTime(double seconds) {
    const qint64 ms = qint64(seconds * 1000);
    return QStringLiteral("00:%1:%2,%3")
        .arg(ms / 60000, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

class CueWords : public testing::Test {
protected:
    void SetUp() override {
        m_utterances = transcribedUtterances();
        if (m_utterances.size() < 3)
            GTEST_SKIP() << "pocketsphinx-testdata is not installed";
        // The first is 22 words long: over a limit of 12, so it becomes phrases.
        m_talk = joinSpeech({{&m_utterances[0], true, 0.6, 0.8f},
                             {&m_utterances[1], true, 0.7, 0.8f},
                             {&m_utterances[2], true, 0.5, 0.8f}},
                            0.8);
        ASSERT_TRUE(writeWav(media(), m_talk.samples));
        QString srt;
        for (qsizetype i = 0; i < m_talk.sentences.size(); ++i)
            srt += QStringLiteral("%1\n%2 --> %3\n%4\n\n")
                       .arg(i + 1)
                       .arg(srtTime(m_talk.startRange[size_t(i)].second - 0.05),
                            srtTime(m_talk.endRange[size_t(i)].first + 0.05), m_talk.sentences[i]);
        QFile file(m_dir.filePath(QStringLiteral("talk.srt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(srt.toUtf8());
    }
    QString media() const { return m_dir.filePath(QStringLiteral("talk.wav")); }
    QString folder() const { return m_dir.filePath(QStringLiteral("lessons")); }
    ImportRequest request(const WordFinder& finder) const {
        ImportRequest r;
        r.media = QFile::encodeName(media());
        r.subtitles = QFile::encodeName(m_dir.filePath(QStringLiteral("talk.srt")));
        r.folder = QFile::encodeName(folder());
        r.name = "talk";
        r.replace = true;
        r.findWords = finder;
        r.phrases.maxWords = 12;
        return r;
    }
    WordTimes wordsOf(const QString& recording) const {
        return readWordTimes(
                   QFile::encodeName(QDir(folder()).filePath(recording)).replace(".txt", ".words"))
            .words;
    }

    std::vector<Utterance> m_utterances;
    SpokenRecording m_talk;
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(CueWords, FindsEachCuesWordsInsideItAndWithinItsSpeech) {
    std::vector<WordSearch> searches;
    for (qsizetype i = 0; i < m_talk.sentences.size(); ++i)
        searches.push_back({m_talk.sentences[i],
                            qint64(m_talk.startRange[size_t(i)].second * 1000) - 50,
                            qint64(m_talk.endRange[size_t(i)].first * 1000) + 50});
    searches.push_back({QStringLiteral("Seven purple elephants sang quietly at noon."), 0, 2000});
    const WordSearchResult result = speechWordFinder()(QFile::encodeName(media()), searches, {});
    ASSERT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    ASSERT_EQ(result.found.size(), searches.size());
    for (size_t i = 0; i + 1 < searches.size(); ++i) {
        const FoundWords& found = result.found[i];
        ASSERT_TRUE(found.matched) << i;
        ASSERT_EQ(qsizetype(found.words.size()),
                  searches[i].sentence.split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
        // The words lie in the sentence's speech, give or take a pause's edge.
        EXPECT_GE(found.words.front().startMs, qint64(m_talk.startRange[i].first * 1000) - 50);
        EXPECT_LE(found.words.back().endMs, qint64(m_talk.endRange[i].second * 1000) + 50);
        for (size_t w = 1; w < found.words.size(); ++w)
            EXPECT_LE(found.words[w - 1].endMs, found.words[w].startMs + 1) << i << ' ' << w;
    }
    EXPECT_FALSE(result.found.back().matched); // words never said there
    EXPECT_TRUE(result.found.back().words.empty());
}

TEST_F(CueWords, AnImportWritesWordTimesAndCutsTheLongSentenceIntoPhrases) {
    const ImportResult result = importMedia(request(speechWordFinder()));
    ASSERT_EQ(result.outcome, ImportOutcome::Done) << result.message.toStdString();
    ASSERT_GE(result.lessons.size(), 4); // the long sentence in two phrases or more
    QStringList sentences;
    int phrasesOfFirst = 0;
    for (const QString& recording : result.lessons) {
        const QString sentence =
            readLessonText(QDir(folder()).filePath(textFileName(recording))).text;
        const WordTimes words = wordsOf(recording);
        ASSERT_EQ(qsizetype(words.size()),
                  sentence.split(QLatin1Char(' '), Qt::SkipEmptyParts).size())
            << recording.toStdString();
        EXPECT_LE(words.size(), 12u) << sentence.toStdString();
        EXPECT_GE(words.size(), size_t(kMinPhraseWords)) << sentence.toStdString();
        EXPECT_LE(words.front().startMs, 1200) << recording.toStdString(); // in its own clip
        sentences << sentence;
        phrasesOfFirst += m_talk.sentences[0].contains(sentence) ? 1 : 0;
    }
    EXPECT_GE(phrasesOfFirst, 2);
    // The phrases, in order, are the sentences as written.
    EXPECT_EQ(sentences.join(QLatin1Char(' ')), m_talk.sentences.join(QLatin1Char(' ')));
}

TEST_F(CueWords, WordsOnlyAddsWordTimesToLessonsImportedWithout) {
    ASSERT_EQ(importMedia(request({})).outcome, ImportOutcome::Done);
    const QString lessons = folder();
    ASSERT_EQ(QDir(lessons).entryList({QStringLiteral("*.words")}).size(), 0);
    // A lesson whose text is not what its recording says cannot be aligned.
    ASSERT_TRUE(QFile::copy(QDir(lessons).filePath(QStringLiteral("talk-001.txt")),
                            QDir(lessons).filePath(QStringLiteral("other-001.txt"))));
    QFile text(QDir(lessons).filePath(QStringLiteral("other-001.kvx")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(encipherLessonText(QStringLiteral("Seven purple elephants sang quietly at noon.")));
    text.close();

    EXPECT_EQ(runWordsOnly(QFile::encodeName(lessons), speechWordFinder()), 4);
    EXPECT_TRUE(wordsOf(QStringLiteral("other-001.txt")).empty());
    for (const char* name : {"talk-001.txt", "talk-002.txt", "talk-003.txt"})
        EXPECT_FALSE(wordsOf(QString::fromLatin1(name)).empty()) << name;
    // Done ones are left alone the next time; the one that failed fails again.
    const QByteArray before = formatWordTimes(wordsOf(QStringLiteral("talk-002.txt")));
    EXPECT_EQ(runWordsOnly(QFile::encodeName(lessons), speechWordFinder()), 4);
    EXPECT_EQ(formatWordTimes(wordsOf(QStringLiteral("talk-002.txt"))), before);
    ASSERT_TRUE(QFile::remove(QDir(lessons).filePath(QStringLiteral("other-001.txt"))));
    EXPECT_EQ(runWordsOnly(QFile::encodeName(lessons), speechWordFinder()), 0);
    EXPECT_EQ(
        runWordsOnly(QFile::encodeName(m_dir.filePath(QStringLiteral("none"))), speechWordFinder()),
        1);
}
