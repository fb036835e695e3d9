// The acoustic aligner on real speech (pocketsphinx-testdata's LibriVox and
// card utterances): words timed where their sound is, right sentences told
// from wrong ones, numbers and words outside the dictionary, a learner's
// take that leaves a word out.
#include "speech_aligner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sndfile.h>

using namespace hearvex::lessons;

namespace {

const QString kData = QStringLiteral("/usr/share/pocketsphinx/test/data/");

std::vector<qint16> readWav(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<qint16> pcm(size_t(info.frames));
    sf_read_short(file, pcm.data(), info.frames);
    sf_close(file);
    return pcm;
}

// "He was not an ill disposed young man": its voice starts at 0.24 s and
// ends at 2.79 s; "not" ends in a quiet stretch at 0.98-1.09 s before "an".
const QString kNotIllDisposed =
    kData + QStringLiteral("librivox/sense_and_sensibility_01_austen_64kb-0880.wav");

class SpeechAlignerTest : public testing::Test {
protected:
    void SetUp() override {
        if (!aligner.isReady() || readWav(kNotIllDisposed).empty())
            GTEST_SKIP() << "pocketsphinx-en-us or pocketsphinx-testdata is not installed";
    }
    SpeechAligner aligner;
};

TEST_F(SpeechAlignerTest, TimesEachWrittenWordWhereItIsSaid) {
    const std::vector<qint16> pcm = readWav(kNotIllDisposed);
    WordAlignOptions options;
    options.offsetMs = 10000; // as if cut from a longer recording
    const SentenceWords s =
        aligner.alignWords(pcm, QStringLiteral("He was not an ill-disposed young man."), options);
    ASSERT_TRUE(s.matched);
    EXPECT_GE(s.confidence, kCertainConfidence);
    ASSERT_EQ(s.words.size(), 7u);
    EXPECT_EQ(s.words[4].text, QStringLiteral("ill-disposed"));
    EXPECT_EQ(s.words[6].text, QStringLiteral("man."));
    EXPECT_NEAR(s.words.front().startMs, 10240, 60);
    EXPECT_NEAR(s.words.back().endMs, 12790, 80);
    EXPECT_GE(s.words[2].endMs, 10930); // "not" ends in the quiet stretch...
    EXPECT_LE(s.words[2].endMs, 11090);
    EXPECT_GE(s.words[3].startMs, 11000); // ...and "an" starts after it
    EXPECT_LE(s.words[3].startMs, 11160);
    for (size_t i = 0; i < s.words.size(); ++i) {
        EXPECT_LT(s.words[i].startMs, s.words[i].endMs);
        EXPECT_GT(s.words[i].confidence, 0.5) << s.words[i].text.toStdString();
        if (i > 0) {
            EXPECT_LE(s.words[i - 1].endMs, s.words[i].startMs);
        }
    }
    EXPECT_EQ(s.startMs, s.words.front().startMs);
    EXPECT_EQ(s.endMs, s.words.back().endMs);
}

TEST_F(SpeechAlignerTest, ToldRightSentencesFromWrongOnes) {
    struct Case {
        const char* audio;
        const char* sentence;
        bool matched;
    };
    const Case cases[] = {
        {"librivox/sense_and_sensibility_01_austen_64kb-0930.wav",
         "He might even have been made amiable himself.", true},
        {"librivox/sense_and_sensibility_01_austen_64kb-0930.wav",
         "Unless to be rather cold hearted and rather selfish is to be ill disposed.", false},
        {"librivox/sense_and_sensibility_01_austen_64kb-0880.wav",
         "He might even have been made amiable himself.", false},
        {"librivox/sense_and_sensibility_01_austen_64kb-0880.wav",
         "Nobody knew how far the old road went.", false},
        // Numbers in digits are said as words.
        {"cards/005.wav", "8 of spades, 4 of clubs, 7 of hearts.", true},
        {"cards/004.wav", "5, 5!", true},
        {"cards/001.wav", "10 of clubs.", true},
        {"cards/001.wav", "The 3rd of May, 1455.", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sentence);
        const std::vector<qint16> pcm = readWav(kData + QLatin1String(c.audio));
        ASSERT_FALSE(pcm.empty());
        WordAlignOptions options;
        options.allowSurroundingSpeech = true;
        const SentenceWords s = aligner.alignWords(pcm, QString::fromUtf8(c.sentence), options);
        EXPECT_EQ(s.matched, c.matched) << s.confidence;
    }
}

TEST_F(SpeechAlignerTest, PronouncesWordsTheDictionaryLacks) {
    // A dictionary without "disposed": eSpeak NG says it instead.
    QTemporaryDir dir;
    SpeechModelPaths paths = SpeechModelPaths::installed();
    QFile full(paths.dictionary), small(dir.filePath(QStringLiteral("small.dict")));
    ASSERT_TRUE(full.open(QIODevice::ReadOnly) && small.open(QIODevice::WriteOnly));
    const QList<QByteArray> kept{"he ", "was ", "not ", "an ", "ill ", "young ", "man "};
    for (const QByteArray& line : full.readAll().split('\n'))
        for (const QByteArray& word : kept)
            if (line.startsWith(word))
                small.write(line + '\n');
    small.close();
    paths.dictionary = small.fileName();
    SpeechAligner limited(paths);
    ASSERT_TRUE(limited.isReady()) << limited.error().toStdString();
    EXPECT_FALSE(limited.pronunciation(QStringLiteral("disposed")).isEmpty());
    const SentenceWords s = limited.alignWords(
        readWav(kNotIllDisposed), QStringLiteral("He was not an ill disposed young man."));
    EXPECT_TRUE(s.matched) << s.confidence;
    ASSERT_EQ(s.words.size(), 8u);
    EXPECT_GT(s.words[5].endMs - s.words[5].startMs, 300); // "disposed" has its length
    EXPECT_GT(s.words[5].confidence, 0.5);
}

TEST_F(SpeechAlignerTest, ReportsAWordLeftOutOfATake) {
    // The take without "not" (0.56-1.0 s): "He was an ill disposed young man."
    std::vector<qint16> pcm = readWav(kNotIllDisposed);
    pcm.erase(pcm.begin() + 560 * 16, pcm.begin() + 1000 * 16);
    WordAlignOptions options;
    options.wordsOptional = true;
    const SentenceWords s =
        aligner.alignWords(pcm, QStringLiteral("He was not an ill disposed young man."), options);
    ASSERT_EQ(s.words.size(), 8u);
    EXPECT_EQ(s.words[2].startMs, s.words[2].endMs);
    EXPECT_EQ(s.words[2].confidence, 0);
    for (size_t i : {0u, 1u, 3u, 4u, 5u, 6u, 7u}) {
        EXPECT_LT(s.words[i].startMs, s.words[i].endMs) << i;
        EXPECT_GT(s.words[i].confidence, 0.5) << i;
    }
    EXPECT_LE(s.confidence, 7.0 / 8.0); // one word of eight missing
}

TEST(SpeechAlignerModel, SaysWhichFileIsMissing) {
    SpeechModelPaths paths = SpeechModelPaths::installed();
    paths.acousticModel = QStringLiteral("/nonexistent/en-us");
    SpeechAligner aligner(paths);
    EXPECT_FALSE(aligner.isReady());
    EXPECT_TRUE(aligner.error().contains(QStringLiteral("/nonexistent/en-us/mdef")))
        << aligner.error().toStdString();
    const std::vector<qint16> silence(16000, 0);
    EXPECT_FALSE(aligner.alignWords(silence, QStringLiteral("Hello there.")).matched);
}

} // namespace
