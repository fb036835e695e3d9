// The transcript aligner on real human speech (pocketsphinx-testdata's
// LibriVox and card utterances) joined with pauses of known length: right
// transcripts kept whole, unspoken lines left out, other texts refused.
#include "acoustic_alignment.h"
#include "support/spoken_material.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hearvex::lessons;
using namespace hearvex::testing;

namespace {

class AcousticAlignmentTest : public testing::Test {
protected:
    static void SetUpTestSuite() { s_utterances = transcribedUtterances(); }
    void SetUp() override {
        if (s_utterances.empty() || !SpeechAligner().isReady())
            GTEST_SKIP() << "pocketsphinx-testdata or pocketsphinx-en-us is not installed";
        ASSERT_TRUE(dir.isValid());
    }

    // The utterances in the order given, pauses of 0.3 to 1.1 s; an
    // untranscribed one (a title read aloud) first when asked.
    SpokenRecording programme(const std::vector<int>& order, bool spokenTitle = false) {
        std::vector<SpokenPiece> pieces;
        if (spokenTitle)
            pieces.push_back({&s_extra, false, 0.5, 0.8f});
        for (size_t i = 0; i < order.size(); ++i)
            pieces.push_back({&s_utterances[size_t(order[i])], true, 0.3 + 0.2 * double(i % 5),
                              0.6f + 0.1f * float(i % 4)});
        return joinSpeech(pieces, 0.8);
    }
    std::vector<int> everyUtterance() const {
        std::vector<int> order;
        for (int i = 0; i < int(s_utterances.size()); ++i)
            order.push_back((i * 3) % int(s_utterances.size()));
        return order;
    }

    QByteArray written(const SpokenRecording& recording) {
        const QString path = dir.filePath(QStringLiteral("speech.wav"));
        EXPECT_TRUE(writeWav(path, recording.samples));
        return QFile::encodeName(path);
    }

    static inline std::vector<Utterance> s_utterances;
    static inline Utterance s_extra = untranscribedUtterance();
    QTemporaryDir dir;
};

TEST_F(AcousticAlignmentTest, KeepsARightTranscriptWholeWithEdgesInThePauses) {
    // A sentence said twice in a row is two sentences, each on its own saying.
    std::vector<int> order = everyUtterance();
    order.insert(order.begin() + 5, order[4]);
    const SpokenRecording truth = programme(order, true);
    const AcousticAlignment aligned = alignAcoustically(written(truth), truth.sentences);
    ASSERT_EQ(aligned.outcome, AlignmentOutcome::Done) << aligned.message.toStdString();
    EXPECT_EQ(aligned.verdict, TranscriptVerdict::AllSaid);
    ASSERT_EQ(aligned.sentences.size(), size_t(truth.sentences.size()));
    std::vector<double> starts, ends;
    for (size_t k = 0; k < aligned.sentences.size(); ++k) {
        const AlignedSentence& s = aligned.sentences[k];
        EXPECT_EQ(s.number, int(k) + 1);
        EXPECT_GE(s.confidence, kMatchedConfidence) << s.text.toStdString();
        starts.push_back(double(s.startMs) / 1000);
        ends.push_back(double(s.endMs) / 1000);
        // Every word timed inside its sentence's cue.
        for (const TimedWord& w : s.words) {
            EXPECT_GE(w.startMs, s.startMs) << w.text.toStdString();
            EXPECT_LE(w.endMs, s.endMs) << w.text.toStdString();
        }
    }
    EXPECT_GE(edgesInPauses(truth, starts, ends), 0.95);
}

TEST_F(AcousticAlignmentTest, LeavesOutLinesThatAreNotRead) {
    const SpokenRecording truth = programme(everyUtterance());
    // A title, a note in the middle and a closing line, none of them read.
    QStringList transcript = truth.sentences;
    transcript.insert(0, QStringLiteral("Chapter Two: The Inheritance"));
    transcript.insert(5, QStringLiteral("Transcribed by volunteers in the spring."));
    transcript << QStringLiteral("Thank you for listening to this recording.");
    const AcousticAlignment aligned = alignAcoustically(written(truth), transcript);
    ASSERT_EQ(aligned.outcome, AlignmentOutcome::Done) << aligned.message.toStdString();
    EXPECT_EQ(aligned.verdict, TranscriptVerdict::PartlySaid);
    EXPECT_EQ(aligned.leftOut, (std::vector<int>{0, 5, int(transcript.size()) - 1}));
    ASSERT_EQ(aligned.sentences.size(), size_t(truth.sentences.size()));
    for (const AlignedSentence& s : aligned.sentences)
        EXPECT_EQ(transcript.at(s.number - 1), s.text);
}

TEST_F(AcousticAlignmentTest, RefusesAnotherTextAndAnotherOrder) {
    const std::vector<int> order = everyUtterance();
    const SpokenRecording truth = programme(order);
    QStringList other;
    for (int i = 0; i < truth.sentences.size(); ++i)
        other << (i % 2 ? QStringLiteral("The committee will meet again next week to discuss it.")
                        : QStringLiteral("Nobody knew how far the old road went."));
    QStringList swapped = truth.sentences;
    swapped.swapItemsAt(0, 1);
    struct Case {
        const char* name;
        QStringList transcript;
        TranscriptVerdict verdict;
    };
    for (const Case& c : {Case{"another text", other, TranscriptVerdict::NotThisRecording},
                          Case{"two neighbours swapped", swapped, TranscriptVerdict::OutOfOrder}}) {
        SCOPED_TRACE(c.name);
        const AcousticAlignment aligned = alignAcoustically(written(truth), c.transcript);
        EXPECT_EQ(aligned.outcome, AlignmentOutcome::Mismatch);
        EXPECT_EQ(aligned.verdict, c.verdict);
        EXPECT_TRUE(aligned.sentences.empty());
    }
}

TEST_F(AcousticAlignmentTest, RefusesATranscriptWhoseSecondHalfIsNotRead) {
    std::vector<int> order = everyUtterance();
    const SpokenRecording truth = programme({order.begin(), order.begin() + 4});
    QStringList transcript;
    for (int i : order)
        transcript << s_utterances[size_t(i)].text;
    const AcousticAlignment aligned = alignAcoustically(written(truth), transcript);
    // Half read: refused, or at least the unread half left out, never timed over other speech.
    if (aligned.outcome == AlignmentOutcome::Done) {
        EXPECT_EQ(aligned.verdict, TranscriptVerdict::PartlySaid);
        for (const AlignedSentence& s : aligned.sentences)
            EXPECT_LE(s.number, 4);
    } else {
        EXPECT_EQ(aligned.verdict, TranscriptVerdict::NotThisRecording);
    }
}

} // namespace

namespace {

TEST(AcousticAlignmentSilence, HearsNoSentenceInARecordingWithoutSound) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quiet.wav"));
    ASSERT_TRUE(writeWav(path, std::vector<float>(3 * kSpokenRate, 0.0f)));
    const AcousticAlignment aligned = alignAcoustically(
        QFile::encodeName(path), {QStringLiteral("One."), QStringLiteral("Two.")});
    EXPECT_EQ(aligned.outcome, AlignmentOutcome::Mismatch);
    EXPECT_EQ(aligned.verdict, TranscriptVerdict::NotThisRecording);
    EXPECT_EQ(aligned.sentenceCount, 2);
    EXPECT_EQ(aligned.leftOut, (std::vector<int>{0, 1}));
    EXPECT_TRUE(aligned.sentences.empty());
}

} // namespace
