// Cue texts as subtitle sites and rippers really write them, made lesson sentences.
#include "cue_text.h"
#include "subtitle_charset.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace hearvex::lessons;

namespace {

struct CleanCase {
    const char* raw; // UTF-8
    const char* sentence;
    const char* dropped = "";
};

} // namespace

TEST(CleanCueText, TurnsRealWorldCuesIntoOneLineOfLessonText) {
    const CleanCase cases[] = {
        // SubRip formatting, one or several lines
        {"<i>Where are you going?</i>", "Where are you going?"},
        {"<b>Stop!</b>\r\n<u>Now</u>", "Stop! Now"},
        {"<font color=\"#ffff00\" face=\"Arial\">Yellow</font> words", "Yellow words"},
        {"<FONT COLOR=red>Shout</FONT>", "Shout"},
        {"{\\an8}Top of the screen", "Top of the screen"},
        {"- Hi.\n- Hello.", "- Hi. - Hello."},
        {"Line one<br>line two<br/>end", "Line one line two end"},
        {"3 < 5 and 7 > 6", "3 < 5 and 7 > 6"},
        // ASS override blocks, escapes and drawings
        {"{\\fad(200,200)\\c&H00FFFF&}Fading {\\i1}in{\\i0}", "Fading in"},
        {"First\\Nsecond\\nthird\\hfourth", "First second third fourth"},
        {"{\\p1}m 0 0 l 100 0 100 100{\\p0}Sign text", "Sign text"},
        {"{a comment}Said {\\b1}it{\\b0}", "Said it"},
        // WebVTT voices, classes and karaoke timestamps
        {"<v Bob>Hello <c.yellow.bg_blue>there</c></v>", "Hello there"},
        {"<v.loud Mary>Run!</v>", "Run!"},
        {"Never <00:00:01.500>drink <00:02.000>liquid", "Never drink liquid"},
        {"<lang en-GB>colour</lang> <ruby>漢<rt>kan</rt></ruby>", "colour 漢kan"},
        // entities, decoded once and only after the tags are gone
        {"Tom &amp; Jerry &quot;live&quot; &apos;n&#39; well", "Tom & Jerry \"live\" 'n' well"},
        {"&lt;i&gt;not a tag&lt;/i&gt;", "<i>not a tag</i>"},
        {"&amp;lt; stays &lt;", "&lt; stays <"},
        {"don&#x2019;t&nbsp;&nbsp;stop &unknown; &#0;", "don't stop &unknown; &#0;"},
        {"&lrm;right&rlm;", "right"},
        // typographic punctuation as ASCII
        {"It’s “fine” ‘ok’", "It's \"fine\" 'ok'"},
        {"Wait… now — or – never", "Wait... now - or - never"},
        // spaces of every kind, invisible marks
        {"  \t wide\xC2\xA0\xC2\xA0"
         "open\xE2\x80\x89"
         "thin\xE3\x80\x80"
         "space  ",
         "wide open thin space"},
        {"zero\xE2\x80\x8B"
         "width\xEF\xBB\xBF"
         " join",
         "zerowidth join"},
        // Chinese stays (written as GBK); what GBK lacks is dropped and reported
        {"你好，world。", "你好，world。"},
        {"♪ Singing in the rain ♪", "Singing in the rain", "♪♪"},
        {"Café señor 😀!", "Café seor !", "ñ😀"},
        // nothing left
        {"<i></i>", ""},
        {"{\\an8}\\N ♪", "", "♪"},
    };
    for (const CleanCase& c : cases) {
        const CueText text = cleanCueText(QString::fromUtf8(c.raw));
        EXPECT_EQ(text.sentence, QString::fromUtf8(c.sentence)) << c.raw;
        EXPECT_EQ(text.dropped, QString::fromUtf8(c.dropped)) << c.raw;
    }
}

TEST(AssEventText, IsEverythingAfterTheEighthComma) {
    EXPECT_EQ(assEventText(QStringLiteral("0,0,Default,Bob,0,0,0,,Hi, you, there")),
              QStringLiteral("Hi, you, there"));
    EXPECT_EQ(assEventText(QStringLiteral("3,0,Sign,,0000,0000,0000,fx,")), QString());
    EXPECT_EQ(assEventText(QStringLiteral("no fields")), QStringLiteral("no fields"));
}

TEST(SubtitleTextAsUtf8, ReadsEachEncodingChineseSitesServe) {
    const QString text = QStringLiteral("1\r\n00:00:01,000 --> 00:00:02,000\r\n你好 “Hello”\r\n");
    const QByteArray utf8 = text.toUtf8();
    QStringEncoder gb18030("GB18030");
    const QByteArray gb = gb18030.encode(text);
    QStringEncoder le(QStringEncoder::Utf16LE);
    QStringEncoder be(QStringEncoder::Utf16BE);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"UTF-8", utf8},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + utf8},
        {"UTF-16LE with a mark", "\xFF\xFE" + QByteArray(le.encode(text))},
        {"UTF-16BE with a mark", "\xFE\xFF" + QByteArray(be.encode(text))},
        {"GB18030", gb},
    };
    ASSERT_NE(gb, utf8);
    for (const auto& c : cases)
        EXPECT_EQ(subtitleTextAsUtf8(c.bytes), utf8) << c.what;
}
