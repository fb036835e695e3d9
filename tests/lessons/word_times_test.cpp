// The word-time sidecar: its name, its lines both ways, damaged files and the
// uncertain-alignment rule.
#include "alignment_mark.h"
#include "word_times.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace hearvex::lessons;

namespace {

TimedWord word(qint64 startMs, qint64 endMs, double confidence, const QString& text) {
    return {startMs, endMs, confidence, text};
}

QByteArray pathIn(const QTemporaryDir& dir, const char* name) {
    return QFile::encodeName(dir.filePath(QString::fromLatin1(name)));
}

} // namespace

TEST(WordTimesFileName, ReplacesTheLastExtensionOnly) {
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"unit3.txt", "unit3.words"},
        {"UNIT1.TXT", "UNIT1.words"},
        {"a.b.txt", "a.b.words"},
        {"dir.x/plain", "dir.x/plain.words"},
        {"dir/.hidden", "dir/.hidden.words"},
        {"\xd6\xd0.txt", "\xd6\xd0.words"},
    };
    for (const auto& [recording, sidecar] : cases)
        EXPECT_EQ(wordTimesFileName(recording), sidecar) << recording.constData();
}

TEST(WordTimesFormat, WritesOneWordALineWithFixedDecimals) {
    const WordTimes words{word(120, 480, 0.934, QStringLiteral("Well,")),
                          word(480, 1005, 1.0, QStringLiteral("it's")),
                          word(-30, -10, 1.7, QStringLiteral("a\tb\nc")),
                          word(2000, 1500, -0.2, QStringLiteral("中文"))};
    EXPECT_EQ(formatWordTimes(words), QByteArray("0.120\t0.480\t0.93\tWell,\n"
                                                 "0.480\t1.005\t1.00\tit's\n"
                                                 "0.000\t0.000\t1.00\ta b c\n"
                                                 "2.000\t2.000\t0.00\t\xe4\xb8\xad\xe6\x96\x87\n"));
    EXPECT_TRUE(formatWordTimes({}).isEmpty());
}

TEST(WordTimesParse, KeepsSoundLinesAndCountsTheRest) {
    struct Case {
        const char* line;
        bool kept;
        qint64 startMs, endMs;
        const char* text;
    };
    const Case cases[] = {
        {"0.120\t0.480\t0.93\tWell,", true, 120, 480, "Well,"},
        {"1\t2\t1\tround", true, 1000, 2000, "round"},
        {"0.0004\t0.0006\t0\ttiny", true, 0, 1, "tiny"},
        {"1.5\t1.5\t0.5\tsame\r", true, 1500, 1500, "same"},
        {"1\t2\t0.5\ttwo words", true, 1000, 2000, "two words"},
        {"1\t2\t0.5\ttab\tinside", true, 1000, 2000, "tab\tinside"},
        {"1\t2\t0.5", false, 0, 0, ""},
        {"1\t2\t0.5\t  ", false, 0, 0, ""},
        {"2\t1\t0.5\tbackwards", false, 0, 0, ""},
        {"-1\t1\t0.5\tearly", false, 0, 0, ""},
        {"1\t2\t1.01\tsure", false, 0, 0, ""},
        {"1\t2\tnan\tnan", false, 0, 0, ""},
        {"inf\tinf\t0.5\tforever", false, 0, 0, ""},
        {"1e300\t1e301\t0.5\thuge", false, 0, 0, ""},
        {"one\ttwo\t0.5\twords", false, 0, 0, ""},
        {"1 2 0.5 spaces", false, 0, 0, ""},
        {"1,5\t2\t0.5\tcomma", false, 0, 0, ""},
    };
    for (const Case& c : cases) {
        const WordTimesParse parse = parseWordTimes(QByteArray(c.line) + '\n');
        ASSERT_EQ(parse.words.size(), c.kept ? 1u : 0u) << c.line;
        EXPECT_EQ(parse.skippedLines, c.kept ? std::vector<int>{} : std::vector<int>{1}) << c.line;
        if (!c.kept)
            continue;
        EXPECT_EQ(parse.words[0].startMs, c.startMs) << c.line;
        EXPECT_EQ(parse.words[0].endMs, c.endMs) << c.line;
        EXPECT_EQ(parse.words[0].text, QString::fromUtf8(c.text)) << c.line;
    }
}

TEST(WordTimesParse, IgnoresBlankLinesAndNumbersTheSkippedOnesAsAnEditorDoes) {
    const WordTimesParse parse =
        parseWordTimes("\n0.1\t0.2\t0.9\tone\n\r\n  \nbroken\n0.3\t0.4\t0.8\ttwo\nx\ty");
    ASSERT_EQ(parse.words.size(), 2u);
    EXPECT_EQ(parse.words[1].text, QStringLiteral("two"));
    EXPECT_EQ(parse.skippedLines, (std::vector<int>{5, 7}));
}

TEST(WordTimesFile, RoundTripsThroughTheDiskAndReplacesAtomically) {
    QTemporaryDir dir;
    const QByteArray path = pathIn(dir, "lesson-001.words");
    const WordTimes words{word(0, 350, 0.9, QStringLiteral("Hello,")),
                          word(350, 900, 0.25, QStringLiteral("world."))};
    QString error;
    ASSERT_TRUE(writeWordTimes(path, words, &error)) << error.toStdString();
    WordTimesFile read = readWordTimes(path);
    ASSERT_EQ(read.status, WordTimesStatus::Read);
    ASSERT_EQ(read.words.size(), 2u);
    EXPECT_EQ(read.words[1].startMs, 350);
    EXPECT_EQ(read.words[1].endMs, 900);
    EXPECT_DOUBLE_EQ(read.words[1].confidence, 0.25);
    EXPECT_EQ(read.words[1].text, QStringLiteral("world."));

    ASSERT_TRUE(writeWordTimes(path, {words[0]}, &error));
    EXPECT_EQ(readWordTimes(path).words.size(), 1u);
    // Nothing of the temporary files is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"lesson-001.words"});
}

TEST(WordTimesFile, MissingDamagedAndUnwritableFilesAreReportedNeverFatal) {
    QTemporaryDir dir;
    EXPECT_EQ(readWordTimes(pathIn(dir, "none.words")).status, WordTimesStatus::Missing);
    EXPECT_EQ(readWordTimes(QFile::encodeName(dir.path())).status, WordTimesStatus::Missing);

    const QByteArray fifo = pathIn(dir, "fifo.words");
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    EXPECT_EQ(readWordTimes(fifo).status, WordTimesStatus::Missing);

    const QByteArray large = pathIn(dir, "large.words");
    QFile file(QFile::decodeName(large));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(kMaxWordTimesBytes + 1));
    file.close();
    EXPECT_EQ(readWordTimes(large).status, WordTimesStatus::Unreadable);

    // Any bytes at all read as some words and some skipped lines.
    auto* random = QRandomGenerator::global();
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes(qsizetype(random->bounded(200)), '\0');
        for (char& b : bytes)
            b = "0123456789.\t\n\r -eaZ\xe4\xff"[random->bounded(20)];
        for (const TimedWord& w : parseWordTimes(bytes).words) {
            EXPECT_LE(w.startMs, w.endMs);
            EXPECT_FALSE(w.text.isEmpty());
        }
    }

    QString error;
    EXPECT_FALSE(writeWordTimes(pathIn(dir, "no/such/folder.words"), {}, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(AlignmentUncertain, FollowsTheMeanConfidenceAgainstTheThreshold) {
    const struct {
        std::vector<double> confidences;
        bool uncertain;
    } cases[] = {
        {{}, false},        {{0.9, 0.8, 0.95}, false},
        {{0.1, 0.2}, true}, {{0.7, 0.7}, false}, // exactly the threshold is confident enough
        {{1.0, 0.3}, true}, {{0.9, 0.05, 0.1, 0.2}, true},
    };
    for (const auto& c : cases) {
        WordTimes words;
        for (double confidence : c.confidences)
            words.push_back(word(0, 1, confidence, QStringLiteral("w")));
        EXPECT_EQ(alignmentUncertain(words), c.uncertain) << words.size();
    }
    EXPECT_DOUBLE_EQ(meanConfidence({word(0, 1, 0.2, "a"), word(0, 1, 0.6, "b")}), 0.4);
}

TEST(AlignmentMark, MarksTheToolTipOfALessonWithUncertainWordTimesOnly) {
    QTemporaryDir dir;
    const WordTimes sure{word(0, 300, 0.9, "Sure"), word(300, 600, 0.8, "words.")};
    const WordTimes guessed{word(0, 300, 0.3, "Mumbled"), word(300, 600, 0.2, "words.")};
    QString error;
    ASSERT_TRUE(writeWordTimes(pathIn(dir, "sure.words"), sure, &error));
    ASSERT_TRUE(writeWordTimes(pathIn(dir, "guessed.words"), guessed, &error));
    ASSERT_TRUE(writeWordTimes(pathIn(dir, "empty.words"), {}, &error));
    const struct {
        const char* recording;
        bool uncertain;
    } cases[] = {
        {"sure.txt", false}, {"guessed.txt", true}, {"empty.txt", false}, {"none.txt", false}};
    for (const auto& c : cases)
        EXPECT_EQ(recordingAlignmentUncertain(pathIn(dir, c.recording)), c.uncertain)
            << c.recording;

    EXPECT_EQ(withAlignmentMark(QStringLiteral("还没有练习过"), true),
              QStringLiteral("还没有练习过\n对齐不确定"));
    EXPECT_EQ(withAlignmentMark(QString(), true), QStringLiteral("对齐不确定"));
    EXPECT_EQ(withAlignmentMark(QStringLiteral("还没有练习过"), false),
              QStringLiteral("还没有练习过"));
}
