#include "transcript_sentences.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace hearvex::lessons;

namespace {

struct SplitCase {
    const char* name;
    const char* text;
    QStringList sentences;
};

class SplitTranscript : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTranscript, GivesTheSentencesARecordingSpeaks) {
    EXPECT_EQ(splitTranscript(QString::fromUtf8(GetParam().text)).sentences, GetParam().sentences);
}

INSTANTIATE_TEST_SUITE_P(
    Prose, SplitTranscript,
    testing::Values(
        SplitCase{"Terminators", "One. Two! Three? Four", {"One.", "Two!", "Three?", "Four"}},
        SplitCase{"LineEndsAndEnd",
                  "First line ends here.\nSecond one\ngoes on.",
                  {"First line ends here.", "Second one goes on."}},
        SplitCase{"ClosingQuotesStayWithTheSentence",
                  "He said \"Stop!\" Then he left. (It rained.) Fine.",
                  {"He said \"Stop!\"", "Then he left.", "(It rained.)", "Fine."}},
        SplitCase{
            "CurlyQuotesBecomeAscii", "\u201cWait.\u201d She did.", {"\"Wait.\"", "She did."}},
        SplitCase{"Abbreviations",
                  "Mr. Smith met Dr. Jones at 9 a.m. in the U.S. last week. Then e.g. tea, "
                  "etc. were served. Prof. Li came at 5 p.m. to St. Paul's.",
                  {"Mr. Smith met Dr. Jones at 9 a.m. in the U.S. last week.",
                   "Then e.g. tea, etc. were served.", "Prof. Li came at 5 p.m. to St. Paul's."}},
        SplitCase{"Numbers",
                  "It rose 3.5 percent to 1,000.5 points. Good.",
                  {"It rose 3.5 percent to 1,000.5 points.", "Good."}},
        SplitCase{"EllipsisTrailsOffUnlessACapitalFollows",
                  "Well... you know... maybe. And then... nothing.",
                  {"Well... you know... maybe.", "And then... nothing."}},
        SplitCase{"FullWidth",
                  "\u4f60\u597d\u3002\u8c22\u8c22\uff01\u771f\u7684\uff1f",
                  {"\u4f60\u597d\u3002", "\u8c22\u8c22\uff01", "\u771f\u7684\uff1f"}}),
    [](const auto& test) { return std::string(test.param.name); });

INSTANTIATE_TEST_SUITE_P(
    LayoutAndSpeakers, SplitTranscript,
    testing::Values(
        SplitCase{"TitleBetweenBlankLines",
                  "The Road Not Taken\n\nTwo roads diverged.",
                  {"The Road Not Taken", "Two roads diverged."}},
        SplitCase{"VerseLinesOfAStanzaJoin",
                  "Two roads diverged in a yellow wood,\nAnd sorry I could not travel both\n\n"
                  "And be one traveler, long I stood\r\n",
                  {"Two roads diverged in a yellow wood, And sorry I could not travel both",
                   "And be one traveler, long I stood"}},
        SplitCase{"SpeakerLabelLinesAndNotesLeftOut",
                  "Neil:\nHello and welcome.\n[music]\nPRESENTER:\n(laughs)\nThanks, Neil.",
                  {"Hello and welcome.", "Thanks, Neil."}},
        SplitCase{"SpeakerLabelBeforeTextDropped",
                  "Neil: Hello there. How are you?\nMary Ann: Fine [laughs] thanks.",
                  {"Hello there.", "How are you?", "Fine thanks."}},
        SplitCase{"NothingToSay", "\n\n[applause]\n...\n", {}},
        SplitCase{"WindowsLineEnds", "One.\r\n\r\nTwo\r\nthree.", {"One.", "Two three."}}),
    [](const auto& test) { return std::string(test.param.name); });

INSTANTIATE_TEST_SUITE_P(
    TitlesLabelsAndMarks, SplitTranscript,
    testing::Values(SplitCase{"TitleAboveTheTextAfterOneLineBreak",
                              "Listening Practice Unit 3\nHello and welcome. I'm Neil.",
                              {"Listening Practice Unit 3", "Hello and welcome.", "I'm Neil."}},
                    SplitCase{"TitleAfterANote",
                              "[jingle]\n6 Minute English\nNeil: Hello.",
                              {"6 Minute English", "Hello."}},
                    SplitCase{"ALineBrokenMidSentenceStillJoins",
                              "It was a cold\nmorning in May, and the rain\nfell.",
                              {"It was a cold morning in May, and the rain fell."}},
                    SplitCase{"SpeakerLabelsOfSeveralWords",
                              "Speaker 1: Hello there.\nCaller from Galloway: Hi. It's me.",
                              {"Hello there.", "Hi.", "It's me."}},
                    SplitCase{
                        "FullWidthMarksInEnglishBecomeAscii",
                        "I like tea\u3002It is good\uff01Really\uff1fYes\uff0cat 3\uff1a30\u3002",
                        {"I like tea.", "It is good!", "Really?", "Yes, at 3:30."}},
                    SplitCase{"FullWidthMarksInChineseStay",
                              "\u6211\u559c\u6b22\u8336\uff0c\u4f60\u5462\uff1f",
                              {"\u6211\u559c\u6b22\u8336\uff0c\u4f60\u5462\uff1f"}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SplitTranscriptBytes, ReadsTheEncodingsSubtitlesComeIn) {
    const QString text = QStringLiteral("Caf\u00e9 time. \u4f60\u597d\u3002");
    const QStringList expected{QStringLiteral("Caf\u00e9 time."),
                               QStringLiteral("\u4f60\u597d\u3002")};
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QStringEncoder gb18030("GB18030");
    EXPECT_EQ(splitTranscriptBytes(text.toUtf8()).sentences, expected);
    EXPECT_EQ(splitTranscriptBytes(QByteArray(utf16(text))).sentences, expected);
    EXPECT_EQ(splitTranscriptBytes(QByteArray(gb18030(text))).sentences, expected);
}

TEST(SplitTranscript, DropsWhatALessonCannotHoldAndSaysWhere) {
    const TranscriptSentences split =
        splitTranscript(QStringLiteral("Fine. I \u2665 music \U0001F3B5 a lot."));
    EXPECT_EQ(split.sentences, (QStringList{"Fine.", "I music a lot."}));
    ASSERT_EQ(split.warnings.size(), 1);
    EXPECT_TRUE(split.warnings.at(0).startsWith(QStringLiteral("sentence 2:")))
        << split.warnings.at(0).toStdString();
}

TEST(LooksLikeSubtitles, TellsTimedFilesFromTranscripts) {
    EXPECT_TRUE(looksLikeSubtitles("1\r\n00:00:01,000 --> 00:00:02,500\r\nHi.\r\n"));
    EXPECT_TRUE(looksLikeSubtitles("\xEF\xBB\xBFWEBVTT\n\n00:01.000 --> 00:02.000\nHi\n"));
    EXPECT_TRUE(looksLikeSubtitles("[ti:Song]\n[00:12.30]First line\n"));
    EXPECT_TRUE(looksLikeSubtitles("[Script Info]\nTitle: x\n"));
    EXPECT_FALSE(looksLikeSubtitles("It was 10:30 a.m. when [music] began.\nThe end.\n"));
    EXPECT_FALSE(looksLikeSubtitles("Chapter 1: The road.\n\nIt went on --> there.\n"));
}

TEST(TranscriptKind, NamesWhatAFileGivenAsATranscriptHolds) {
    struct Case {
        const char* name;
        QByteArray bytes;
        TranscriptKind kind;
    };
    const Case cases[] = {
        {"empty", "", TranscriptKind::Empty},
        {"only white space", "\xEF\xBB\xBF \r\n\t\n", TranscriptKind::Empty},
        {"recording", QByteArray("ID3\x03\0\0\0\x0FTIT2", 12), TranscriptKind::NotText},
        {"UTF-16 text", QByteArray("\xFF\xFEH\0i\0.\0", 8), TranscriptKind::Transcript},
        {"subtitles", "1\n00:00:01,000 --> 00:00:02,000\nHi.\n", TranscriptKind::Subtitles},
        {"page without text", "<html><script>go()</script></html>", TranscriptKind::EmptyWebPage},
        {"page with text", "<html><p>Hi there.</p></html>", TranscriptKind::Transcript},
        {"plain text", "Hello there.\n", TranscriptKind::Transcript},
    };
    for (const Case& c : cases)
        EXPECT_EQ(transcriptKind(c.bytes), c.kind) << c.name;
}

} // namespace
