// The aligner on real human speech (pocketsphinx-testdata's LibriVox and card
// utterances) joined with pauses of known length.
#include "forced_aligner.h"
#include "support/spoken_material.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hearvex::lessons;
using namespace hearvex::testing;

namespace {

class AlignSpeech : public testing::Test {
protected:
    void SetUp() override {
        utterances = transcribedUtterances();
        if (utterances.empty())
            GTEST_SKIP() << "pocketsphinx-testdata is not installed";
        ASSERT_TRUE(dir.isValid());
    }

    // Every utterance once, pauses of 0.3 to 1.1 s; an untranscribed one
    // read first (a title) and one in the middle when asked.
    SpokenRecording programme(bool untranscribed, double noiseDb = 0) {
        std::vector<SpokenPiece> pieces;
        if (untranscribed)
            pieces.push_back({&extra, false, 0.5, 0.8f});
        for (size_t i = 0; i < utterances.size(); ++i) {
            if (untranscribed && i == utterances.size() / 2)
                pieces.push_back({&extra, false, 0.7, 0.6f});
            pieces.push_back({&utterances[(i * 3) % utterances.size()], true,
                              0.3 + 0.2 * double(i % 5), 0.6f + 0.1f * float(i % 4)});
        }
        return joinSpeech(pieces, 0.8, noiseDb);
    }

    QString written(const SpokenRecording& recording, const QString& name) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeWav(path, recording.samples));
        return path;
    }

    static double edges(const SpokenRecording& truth, const Alignment& alignment) {
        std::vector<double> starts, ends;
        for (const AlignedSentence& s : alignment.sentences) {
            starts.push_back(double(s.startMs) / 1000);
            ends.push_back(double(s.endMs) / 1000);
        }
        return edgesInPauses(truth, starts, ends);
    }

    std::vector<Utterance> utterances;
    Utterance extra = untranscribedUtterance();
    QTemporaryDir dir;
};

TEST_F(AlignSpeech, PutsEverySentenceEdgeInItsPause) {
    struct Case {
        const char* name;
        bool untranscribed;
        double noiseDb;
    };
    for (const Case& c : {Case{"clean", false, 0}, Case{"noise bed", false, -55},
                          Case{"untranscribed title and insert", true, 0}}) {
        SCOPED_TRACE(c.name);
        const SpokenRecording truth = programme(c.untranscribed, c.noiseDb);
        const Alignment alignment = alignTranscript(
            QFile::encodeName(written(truth, QStringLiteral("speech.wav"))), truth.sentences);
        ASSERT_EQ(alignment.outcome, AlignmentOutcome::Done) << alignment.message.toStdString();
        ASSERT_EQ(alignment.sentences.size(), size_t(truth.sentences.size()));
        for (size_t k = 0; k < alignment.sentences.size(); ++k) {
            EXPECT_EQ(alignment.sentences[k].text, truth.sentences.at(qsizetype(k)));
            EXPECT_LT(alignment.sentences[k].startMs, alignment.sentences[k].endMs);
            if (k > 0) {
                EXPECT_LE(alignment.sentences[k - 1].endMs, alignment.sentences[k].startMs);
            }
        }
        EXPECT_GE(edges(truth, alignment), 0.9);
    }
}

TEST_F(AlignSpeech, RefusesATranscriptOfOtherSpeech) {
    const SpokenRecording truth = programme(false);
    QStringList other;
    for (int i = 0; i < truth.sentences.size(); ++i)
        other << (i % 2 ? QStringLiteral("The committee will meet again next week to discuss it.")
                        : QStringLiteral("Nobody knew how far the old road went."));
    const Alignment alignment =
        alignTranscript(QFile::encodeName(written(truth, QStringLiteral("s.wav"))), other);
    EXPECT_EQ(alignment.outcome, AlignmentOutcome::Mismatch);
    EXPECT_TRUE(alignment.sentences.empty());
}

TEST_F(AlignSpeech, CancelsAndReportsUnreadableMedia) {
    const SpokenRecording truth = programme(false);
    const QByteArray path = QFile::encodeName(written(truth, QStringLiteral("s.wav")));
    int calls = 0;
    EXPECT_EQ(alignTranscript(path, truth.sentences, [&](double) { return ++calls < 3; }).outcome,
              AlignmentOutcome::Cancelled);
    QFile text(dir.filePath(QStringLiteral("not-sound.mp3")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("This is not a recording at all.\n");
    text.close();
    const Alignment unreadable =
        alignTranscript(QFile::encodeName(text.fileName()), truth.sentences);
    EXPECT_EQ(unreadable.outcome, AlignmentOutcome::Unreadable);
    EXPECT_FALSE(unreadable.message.isEmpty());
}

struct ToolRun {
    int status = -1;
    QString out, err;
};

ToolRun runTool(const QStringList& args, const QString& command = QStringLiteral("align")) {
    QProcess tool;
    tool.start(QStringLiteral(HEARVEX_LESSON_TOOL), QStringList{command} + args);
    tool.waitForFinished(120000);
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}

TEST_F(AlignSpeech, ToolWritesOneCuePerSentenceAndKeepsAnExistingSrt) {
    const SpokenRecording truth = programme(false);
    const QString media = written(truth, QStringLiteral("talk.wav"));
    QFile transcript(dir.filePath(QStringLiteral("talk.txt")));
    ASSERT_TRUE(transcript.open(QIODevice::WriteOnly));
    transcript.write("PRESENTER:\n" + truth.sentences.join(QLatin1Char(' ')).toUtf8() + "\n");
    transcript.close();

    const ToolRun first = runTool({media, transcript.fileName()});
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    QFile srt(dir.filePath(QStringLiteral("talk.srt")));
    ASSERT_TRUE(srt.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(srt.readAll());
    srt.close();
    EXPECT_EQ(written.count(QStringLiteral(" --> ")), truth.sentences.size());
    EXPECT_TRUE(written.startsWith(QStringLiteral("1\r\n00:00:")));
    for (const QString& sentence : truth.sentences)
        EXPECT_TRUE(written.contains(QStringLiteral("\r\n") + sentence + QStringLiteral("\r\n")));

    // The learner may have edited it: a second run does not overwrite it unasked.
    EXPECT_EQ(runTool({media, transcript.fileName()}).status, 2);
    const ToolRun named = runTool({media, transcript.fileName(), "-o", dir.filePath("b.srt")});
    EXPECT_EQ(named.status, 0) << named.err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("b.srt"))));

    // Subtitles already have timings; another recording's text is refused, nothing written.
    EXPECT_EQ(runTool({media, dir.filePath("b.srt"), "-o", dir.filePath("c.srt")}).status, 2);
    QFile wrong(dir.filePath(QStringLiteral("other.txt")));
    ASSERT_TRUE(wrong.open(QIODevice::WriteOnly));
    for (int i = 0; i < 10; ++i)
        wrong.write("Nobody knew how far the old road went. The weather will turn cold soon.\n");
    wrong.close();
    const ToolRun refused = runTool({media, wrong.fileName(), "-o", dir.filePath("d.srt")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("does not match")))
        << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("d.srt"))));
}

TEST_F(AlignSpeech, ToolLeavesOutUnreadLinesAndWritesEveryWordsTime) {
    const SpokenRecording truth = programme(false);
    const QString media = written(truth, QStringLiteral("talk.wav"));
    QStringList lines = truth.sentences;
    lines.insert(3, QStringLiteral("This line was never read by anyone."));
    QFile transcript(dir.filePath(QStringLiteral("talk.txt")));
    ASSERT_TRUE(transcript.open(QIODevice::WriteOnly));
    transcript.write(lines.join(QLatin1Char('\n')).toUtf8());
    transcript.close();
    const QString srt = dir.filePath(QStringLiteral("t.srt")), tsv = dir.filePath("t.tsv");
    const ToolRun run = runTool({media, transcript.fileName(), "-o", srt, "--words", tsv});
    EXPECT_EQ(run.status, 4) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("sentence 4 (\"This line was never read...\")")))
        << run.err.toStdString();
    QFile cues(srt), words(tsv);
    ASSERT_TRUE(cues.open(QIODevice::ReadOnly) && words.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(cues.readAll()).count(QStringLiteral(" --> ")),
              truth.sentences.size());
    // start<TAB>end<TAB>confidence<TAB>word, in order, one per written word of the kept sentences.
    const QList<QByteArray> rows = words.readAll().trimmed().split('\n');
    EXPECT_EQ(rows.size(), truth.sentences.join(QLatin1Char(' ')).split(QLatin1Char(' ')).size());
    double lastEnd = 0;
    for (const QByteArray& row : rows) {
        const QList<QByteArray> fields = row.split('\t');
        ASSERT_EQ(fields.size(), 4) << row.constData();
        EXPECT_LT(fields[0].toDouble(), fields[1].toDouble()) << row.constData();
        EXPECT_GE(fields[0].toDouble(), lastEnd - 1e-9) << row.constData();
        lastEnd = fields[1].toDouble();
    }
    EXPECT_EQ(rows.first().split('\t').last(), "And");
}

TEST_F(AlignSpeech, ImportMakesOneLessonPerSentenceAndStillReadsSubtitlesNamedTxt) {
    const SpokenRecording truth = programme(false);
    const QString media = written(truth, QStringLiteral("talk.wav"));
    QFile transcript(dir.filePath(QStringLiteral("talk.txt")));
    ASSERT_TRUE(transcript.open(QIODevice::WriteOnly));
    // A title that is not read: left out, and the tool says so with its status.
    transcript.write("A Reading from Two Novels\n\n" +
                     truth.sentences.join(QStringLiteral("\n")).toUtf8());
    transcript.close();
    const QString folder = dir.filePath(QStringLiteral("lessons"));
    // One lesson per sentence, however long: no phrases.
    const ToolRun imported = runTool({media, transcript.fileName(), "--into", folder, "--max-words",
                                      "0", "--max-seconds", "999"},
                                     "import");
    ASSERT_EQ(imported.status, 4) << imported.err.toStdString();
    EXPECT_TRUE(imported.err.contains(QStringLiteral("sentence 1 (\"A Reading from Two Novels\")")))
        << imported.err.toStdString();
    for (int k = 0; k < truth.sentences.size(); ++k) {
        const QString base =
            folder + QStringLiteral("/talk-%1").arg(k + 1, 3, 10, QLatin1Char('0'));
        EXPECT_TRUE(QFile::exists(base + QStringLiteral(".txt")));
        EXPECT_EQ(runTool({base + QStringLiteral(".kvx")}, "decode").out.trimmed(),
                  truth.sentences.at(k));
    }
    EXPECT_FALSE(QFile::exists(
        folder +
        QStringLiteral("/talk-%1.txt").arg(truth.sentences.size() + 1, 3, 10, QLatin1Char('0'))));

    // A second import of that name is refused before any aligning, nothing changed.
    const ToolRun again = runTool({media, transcript.fileName(), "--into", folder}, "import");
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("already holds"))) << again.err.toStdString();

    QFile timed(dir.filePath(QStringLiteral("timed.txt")));
    ASSERT_TRUE(timed.open(QIODevice::WriteOnly));
    timed.write("1\r\n00:00:01,000 --> 00:00:02,000\r\nOne cue.\r\n\r\n");
    timed.close();
    const ToolRun subtitles =
        runTool({media, timed.fileName(), "--into", folder, "--name", "timed"}, "import");
    ASSERT_EQ(subtitles.status, 0) << subtitles.err.toStdString();
    EXPECT_TRUE(subtitles.out.startsWith(QStringLiteral("1 lesson written")))
        << subtitles.out.toStdString();
}

} // namespace
