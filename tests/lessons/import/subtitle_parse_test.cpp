// Reading subtitle text: times as checked numbers, SubRip and LRC as found in
// the wild, WebVTT cases written after the W3C parsing rules (ids, settings,
// timestamp and class tags, broken blocks, stray arrows), and the code pages.
#include "cue_text.h"
#include "cue_time.h"
#include "import_plan.h"
#include "subtitle_charset.h"
#include "subtitle_parsers.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace hearvex::lessons;

namespace {

struct Expected {
    qint64 startMs, endMs;
    const char* text;
};

void expectCues(const ParsedSubtitles& parsed, const std::vector<Expected>& expected) {
    ASSERT_EQ(parsed.cues.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(parsed.cues[i].startMs, expected[i].startMs);
        EXPECT_EQ(parsed.cues[i].endMs, expected[i].endMs);
        EXPECT_EQ(parsed.cues[i].text, QString::fromUtf8(expected[i].text));
    }
}

QByteArray encoded(const char* encoding, const QString& text) {
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

} // namespace

TEST(CueTime, TimesAreNumbersThatNeverWrap) {
    const qint64 tooLarge = -1;
    const struct {
        const char* text;
        std::optional<TimeRead> (*read)(QStringView);
        std::optional<qint64> ms; // nullopt: not a time; tooLarge: well formed, too large
    } cases[] = {
        {"00:00:01,500", readSubRipTime, 1500},
        {"1:02:03.4", readSubRipTime, 3'723'400},
        {"  00:00:01", readSubRipTime, 1000},
        {"-00:00:05,000", readSubRipTime, -5000},
        {"00:00:01,5000", readSubRipTime, std::nullopt},
        {"00:60:00,000", readSubRipTime, std::nullopt},
        {"00:00", readSubRipTime, std::nullopt},
        {"4294967296:00:00,000", readSubRipTime, tooLarge},
        {"9223372036854775807:00:00,000", readSubRipTime, tooLarge},
        {"99999999999999999999999:00:00,000", readSubRipTime, tooLarge},
        {"00:01.000", readWebVttTime, 1000},
        {"01:02:03.004", readWebVttTime, 3'723'004},
        {"123:00:00.000", readWebVttTime, 442'800'000},
        {"1:00.000", readWebVttTime, std::nullopt}, // one digit: hours, then seconds are missing
        {"00:60.000", readWebVttTime, std::nullopt},
        {"00:01.00", readWebVttTime, std::nullopt},
        {"00:01,000", readWebVttTime, std::nullopt},
        {"4294967296:00:00.000", readWebVttTime, tooLarge},
        {"01:02.50", readLrcTime, 62'500},
        {"75:00", readLrcTime, 4'500'000},
        {"1:02:03.5", readLrcTime, 3'723'500},
        {"-00:01.00", readLrcTime, -1000},
        {"ti:Title", readLrcTime, std::nullopt},
        {"01:02.50x", readLrcTime, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromLatin1(c.text);
        const auto read = c.read(text);
        ASSERT_EQ(read.has_value(), c.ms.has_value());
        if (!read)
            continue;
        EXPECT_EQ(read->tooLarge, *c.ms == tooLarge);
        if (*c.ms != tooLarge) {
            EXPECT_EQ(read->ms, *c.ms);
        }
    }
}

TEST(SubRip, BlocksAreReadAsFilesHaveThem) {
    const QString longText(5000, QLatin1Char('a'));
    const struct {
        const char* what;
        QString text;
        std::vector<Expected> cues;
        int warnings;
    } cases[] = {
        {"numbers, CR LF, two lines",
         "1\r\n00:00:01,000 --> 00:00:02,500\r\nOne\r\ntwo\r\n\r\n2\r\n00:00:03,000 --> "
         "00:00:04,000\r\nThree\r\n",
         {{1000, 2500, "One\ntwo"}, {3000, 4000, "Three"}},
         0},
        {"no blank lines, no numbers, positions after the times",
         "00:00:01,000 --> 00:00:02,000 X1:10 X2:20\nA\n00:00:03,000-->00:00:04,000\nB",
         {{1000, 2000, "A"}, {3000, 4000, "B"}},
         0},
        {"a blank line inside a cue, an arrow inside a sentence",
         "1\n00:00:01,000 --> 00:00:02,000\nGo --> there\n\nand back\n\n2\n00:00:03,000 --> "
         "00:00:04,000\nB\n",
         {{1000, 2000, "Go --> there\n\nand back"}, {3000, 4000, "B"}},
         0},
        {"a broken timing: that block skipped, the rest read",
         "1\n00:00:01,000 --> 00:00:02,000\nA\n\n2\n00:00:0x,000 --> 00:00:04,000\nLost\n\n"
         "3\n00:00:05,000 --> 00:00:06,000\nC\n",
         {{1000, 2000, "A"}, {5000, 6000, "C"}},
         1},
        {"an hour past 2^32: skipped with a warning",
         "1\n4294967296:00:00,000 --> 4294967296:00:01,000\nFar\n\n2\n00:00:01,000 --> "
         "00:00:02,000\nNear\n",
         {{1000, 2000, "Near"}},
         1},
        {"negative and backwards times are read as they are (the plan skips them)",
         "1\n-00:00:05,000 --> 00:00:01,000\nA\n\n2\n00:00:09,000 --> 00:00:03,000\nB\n",
         {{-5000, 1000, "A"}, {9000, 3000, "B"}},
         0},
        {"a 5,000-letter cue stays whole",
         QStringLiteral("1\n00:00:01,000 --> 00:00:02,000\n") + longText,
         {{1000, 2000, ""}},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(subtitleKind(c.text), SubtitleKind::SubRip);
        const ParsedSubtitles parsed = parseSubRip(c.text);
        EXPECT_EQ(parsed.warnings.size(), c.warnings) << parsed.warnings.join('|').toStdString();
        if (c.text.endsWith(longText)) {
            ASSERT_EQ(parsed.cues.size(), 1u);
            EXPECT_EQ(parsed.cues[0].text, longText);
            continue;
        }
        expectCues(parsed, c.cues);
    }
}

// Written after the W3C WebVTT parsing rules; each case names the rule.
TEST(WebVtt, CuesAreReadByTheParsingRules) {
    const struct {
        const char* what;
        const char* text;
        std::vector<Expected> cues;
        int warnings;
    } cases[] = {
        {"signature, header lines, a cue",
         "WEBVTT - a title\nKind: captions\n\n00:01.000 --> "
         "00:02.000\nHello\n",
         {{1000, 2000, "Hello"}},
         0},
        {"signature followed at once by a cue",
         "WEBVTT\n00:01.000 --> 00:02.000\nHello",
         {{1000, 2000, "Hello"}},
         0},
        {"a cue id is not text",
         "WEBVTT\n\nintro\n00:01.000 --> 00:02.000\nHello\n",
         {{1000, 2000, "Hello"}},
         0},
        {"settings are not text",
         "WEBVTT\n\n00:01.000 --> 00:02.000 align:start line:0%\nHi\n",
         {{1000, 2000, "Hi"}},
         0},
        {"no spaces round the arrow",
         "WEBVTT\n\n00:01.000-->00:02.000\nHi\n",
         {{1000, 2000, "Hi"}},
         0},
        {"hours of three digits",
         "WEBVTT\n\n100:00:01.000 --> 100:00:02.000\nHi\n",
         {{360'001'000, 360'002'000, "Hi"}},
         0},
        {"voice, class, bold and timestamp tags go",
         "WEBVTT\n\n00:01.000 --> 00:05.000\n<v Bob>Hi <c.yellow.big>there</c>,"
         " <b>you</b> <00:03.000>now</v>\n",
         {{1000, 5000, "Hi there, you now"}},
         0},
        {"entities stay for the cleaning",
         "WEBVTT\n\n00:01.000 --> 00:02.000\n&lt;A&gt; &amp; B\n",
         {{1000, 2000, "&lt;A&gt; &amp; B"}},
         0},
        {"a broken block is skipped and the file read on",
         "WEBVTT\n\n00:01.000 --> 00:02.000\nA\n\n00:03.00 --> 00:04.000\nLost\n\n"
         "00:05.000 --> 00:06.000\nC\n",
         {{1000, 2000, "A"}, {5000, 6000, "C"}},
         1},
        {"a broken block with an id",
         "WEBVTT\n\nid1\n00:01.000 -> 00:02.000\nLost\n\n00:05.000 --> 00:06.000\nC\n",
         {{5000, 6000, "C"}},
         1},
        {"an arrow in the text starts the next block",
         "WEBVTT\n\n00:01.000 --> 00:02.000\nA\n00:03.000 --> 00:04.000\nB\n",
         {{1000, 2000, "A"}, {3000, 4000, "B"}},
         0},
        {"an id line and an arrow line after two text lines",
         "WEBVTT\n\n00:01.000 --> 00:02.000\nA\nB\nnot an id --> nor timings\nC\n",
         {{1000, 2000, "A\nB"}},
         1},
        {"notes, styles and regions are no cues",
         "WEBVTT\n\nNOTE a comment\nover lines\n\nSTYLE\n::cue { color: red }\n\nREGION\nid:r1\n\n"
         "00:01.000 --> 00:02.000\nA\n",
         {{1000, 2000, "A"}},
         0},
        {"a stray text block is skipped with a warning",
         "WEBVTT\n\njust words\n\n00:01.000 --> 00:02.000\nA\n",
         {{1000, 2000, "A"}},
         1},
        {"CR line ends, blank lines between cues",
         "WEBVTT\r\r\r00:01.000 --> 00:02.000\rA\r\r\r\r00:03.000 --> 00:04.000\rB",
         {{1000, 2000, "A"}, {3000, 4000, "B"}},
         0},
        {"an empty cue is still a cue",
         "WEBVTT\n\n00:01.000 --> 00:02.000\n\n00:03.000 --> "
         "00:04.000\nB\n",
         {{1000, 2000, ""}, {3000, 4000, "B"}},
         0},
        {"minutes over 59 break the timing", "WEBVTT\n\n00:60:00.000 --> 01:00:01.000\nA\n", {}, 1},
        {"a '<' always opens a tag",
         "WEBVTT\n\n00:01.000 --> 00:02.000\na < b > c\n",
         {{1000, 2000, "a  c"}},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(subtitleKind(text), SubtitleKind::WebVtt);
        const ParsedSubtitles parsed = parseWebVtt(text);
        EXPECT_EQ(parsed.warnings.size(), c.warnings) << parsed.warnings.join('|').toStdString();
        expectCues(parsed, c.cues);
    }
}

TEST(Lrc, TagsMetadataAndOffset) {
    const ParsedSubtitles parsed = parseLrc(QStringLiteral(
        "[ti:Song]\n[ar:Someone]\n[offset:+500]\n[00:01.00][00:09.50]Chorus\n"
        "[00:03.2]Verse <00:03.50>with <00:04.00>words\n[00:05.00]\n[99999999999:00.00]Far\n"));
    EXPECT_EQ(parsed.warnings.size(), 1);
    expectCues(parsed, {{500, kUntilNextCue, "Chorus"},
                        {9000, kUntilNextCue, "Chorus"},
                        {2700, kUntilNextCue, "Verse <00:03.50>with <00:04.00>words"},
                        {4500, kUntilNextCue, ""}});
}

TEST(Ass, EventsInTheirFormatsOrder) {
    const ParsedSubtitles parsed = parseAss(QStringLiteral(
        "[Script Info]\nScriptType: v4.00+\n\n[V4+ Styles]\nFormat: Name, Fontname\n"
        "Style: Default,Arial\n\n[Events]\n"
        "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
        "Dialogue: 0,0:00:01.00,0:00:02.50,Default,,0,0,0,,{\\i1}One{\\i0}, two\\Nthree\n"
        "Comment: 0,0:00:03.00,0:00:04.00,Default,,0,0,0,,A comment\n"
        "Dialogue: 0,4294967296:00:01.00,4294967296:00:02.00,Default,,0,0,0,,Far\n"
        "Dialogue: 0,0:00:0x.00,0:00:04.00,Default,,0,0,0,,Broken\n"
        "Dialogue: 0,1:00:05.5,1:00:06.00,Default,,0,0,0,,Late\n"));
    EXPECT_EQ(parsed.warnings.size(), 2) << parsed.warnings.join('|').toStdString();
    expectCues(parsed,
               {{1000, 2500, "{\\i1}One{\\i0}, two\\Nthree"}, {3'605'500, 3'606'000, "Late"}});
    // SSA orders its fields otherwise.
    const ParsedSubtitles ssa = parseAss(QStringLiteral(
        "[Events]\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, "
        "Text\nDialogue: Marked=0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Hi, you\n"));
    expectCues(ssa, {{1000, 2000, "Hi, you"}});
}

TEST(SubtitleKinds, TheContentTellsTheFormat) {
    const struct {
        const char* text;
        SubtitleKind kind;
    } cases[] = {
        {"WEBVTT\n\n00:01.000 --> 00:02.000\nA", SubtitleKind::WebVtt},
        {"WEBVTTX\n\n", SubtitleKind::Unknown},
        {"[Script Info]\nScriptType: v4.00+\n", SubtitleKind::Ass},
        {"1\n00:00:01,000 --> 00:00:02,000\nA\n", SubtitleKind::SubRip},
        {"[ar:x]\n[00:01.00]A\n", SubtitleKind::Lrc},
        {"Just words.\n", SubtitleKind::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(subtitleKind(QString::fromUtf8(c.text)), c.kind) << c.text;
}

TEST(PlanFromCues, BadTimesAndOversizedTextsAreSkippedWithAWarning) {
    std::vector<Cue> cues = {
        {-5000, 1000, QStringLiteral("Negative")},
        {9000, 3000, QStringLiteral("Backwards")},
        {1000, 2000, QString(5000, QLatin1Char('a'))},
        {3000, 4000, QString(40000, QLatin1Char('b'))},
        {4000, 5000, QString(1 << 20, QLatin1Char('c'))},
        {kLatestCueMs, kLatestCueMs, QStringLiteral("Far")},
        {5000, 6000, QStringLiteral("caf&eacute; &hearts;&#146;s &#x1F600; &notanentity;")},
    };
    const ImportPlan plan = planLessons(std::move(cues));
    ASSERT_EQ(plan.lessons.size(), 3u);
    EXPECT_EQ(plan.lessons[0].sentence, QString(5000, QLatin1Char('a')));
    EXPECT_EQ(plan.lessons[1].sentence, QStringLiteral("café 's &notanentity;"));
    EXPECT_EQ(plan.lessons[2].cueStartMs, kLatestCueMs); // left for the media's end to skip
    const QString warnings = plan.warnings.join(QLatin1Char('\n'));
    for (const char* said :
         {"-0:05.000, before the media", "ends at 0:03.000, before it starts",
          "(40000 bytes) is too long", "(1048576 characters) is too long", "dropped \"♥😀\""})
        EXPECT_TRUE(warnings.contains(QString::fromUtf8(said))) << said << "\n"
                                                                << warnings.toStdString();
}

TEST(SubtitleCharset, CodePagesAreDetectedNotGuessed) {
    // A film's worth of English with Windows-1252's accents, quotes and dashes.
    const char* const western[] = {
        "I’ll meet you at the café at noon.",
        "“Déjà vu,” she said — again.",
        "The naïve fiancé forgot his résumé.",
        "It costs €20… maybe less.",
        "Señor Muñoz lives in São Paulo.",
        "Über cool, isn’t it?",
        "Crème brûlée for dessert, s’il vous plaît.",
        "He’s a façade of a man.",
    };
    QString english;
    for (int i = 0; i < 1332; ++i)
        english += QStringLiteral("%1\r\n00:%2:%3,000 --> 00:%2:%3,900\r\n%4\r\n\r\n")
                       .arg(i + 1)
                       .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
                       .arg(i % 60, 2, 10, QLatin1Char('0'))
                       .arg(QString::fromUtf8(western[i % 8]));
    const char* const chinese[] = {"你好，今天天气很好。", "我们明天去图书馆吧。",
                                   "这部电影真有意思。", "请再说一遍，好吗？"};
    QString mandarin;
    for (int i = 0; i < 600; ++i)
        mandarin += QStringLiteral("%1\r\n00:00:%2,000 --> 00:00:%2,900\r\n%3 Hello.\r\n\r\n")
                        .arg(i + 1)
                        .arg(i % 60, 2, 10, QLatin1Char('0'))
                        .arg(QString::fromUtf8(chinese[i % 4]));
    const char* const traditional[] = {"你好，今天天氣很好。", "我們明天去圖書館吧。",
                                       "這部電影真有意思。", "請再說一遍，好嗎？"};
    QString taiwanese;
    for (int i = 0; i < 600; ++i)
        taiwanese += QStringLiteral("%1\r\n00:00:%2,000 --> 00:00:%2,900\r\n%3\r\n\r\n")
                         .arg(i + 1)
                         .arg(i % 60, 2, 10, QLatin1Char('0'))
                         .arg(QString::fromUtf8(traditional[i % 4]));
    const QString shortChinese = QStringLiteral("1\n00:00:01,000 --> 00:00:02,000\n你好\n");
    const QString lrc = QStringLiteral("[00:01.00]Last line ♪\n");
    const struct {
        const char* what;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"Windows-1252, a film's worth", encoded("windows-1252", english), english},
        {"GBK, real size", encoded("GBK", mandarin), mandarin},
        {"GBK, two characters", encoded("GBK", shortChinese), shortChinese},
        {"Big5", encoded("Big5", taiwanese), taiwanese},
        {"UTF-32LE with its mark", QByteArray("\xFF\xFE\x00\x00", 4) + encoded("UTF-32LE", lrc),
         lrc},
        {"UTF-32BE with its mark", QByteArray("\x00\x00\xFE\xFF", 4) + encoded("UTF-32BE", lrc),
         lrc},
        {"UTF-16LE with its mark", "\xFF\xFE" + encoded("UTF-16LE", lrc), lrc},
        {"UTF-8 without a mark", english.toUtf8(), english},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(QString::fromUtf8(subtitleTextAsUtf8(c.bytes)), c.text);
    }
}
