// The RTF reader: what real documents show, and that damaged ones never crash or hang.
#include "rtf_code_page.h"
#include "rtf_reader.h"

#include "text/word_pad_sample.h"

#include <gtest/gtest.h>
#include <random>

using namespace hearvex::text;
using hearvex::testing::kWordPadList;

namespace {

const RtfRun* runWith(const RtfParagraph& p, const QString& text) {
    for (const RtfRun& r : p.runs)
        if (r.text.contains(text))
            return &r;
    return nullptr;
}

// Everything a reader hands on must be text a box can take.
void expectCleanText(const RtfDocument& doc) {
    for (const RtfParagraph& p : doc.paragraphs)
        for (const RtfRun& r : p.runs) {
            const QString& t = r.text;
            for (qsizetype i = 0; i < t.size(); ++i) {
                const QChar c = t.at(i);
                ASSERT_TRUE(c.unicode() >= 0x20 || c == u'\t') << "control character";
                if (c.isHighSurrogate()) {
                    ASSERT_TRUE(i + 1 < t.size() && t.at(i + 1).isLowSurrogate());
                    ++i;
                } else {
                    ASSERT_FALSE(c.isLowSurrogate()) << "lone surrogate";
                }
            }
        }
}

} // namespace

TEST(RtfReader, ReadsAChineseWordPadListWithItsFormatting) {
    ASSERT_TRUE(isRtf(kWordPadList));
    const RtfDocument doc = readRtf(kWordPadList);
    ASSERT_EQ(doc.paragraphs.size(), 3u);
    EXPECT_EQ(doc.plainText(), QStringLiteral("广播常用单词\nabandon 放弃\naccording to 根据"));

    const RtfParagraph& title = doc.paragraphs[0];
    EXPECT_EQ(title.align, RtfAlign::Center);
    ASSERT_EQ(title.runs.size(), 1u);
    EXPECT_TRUE(title.runs[0].format.bold);
    EXPECT_EQ(title.runs[0].format.halfPoints, 28);
    EXPECT_EQ(title.runs[0].format.fontFamily, QStringLiteral("宋体"));

    const RtfParagraph& second = doc.paragraphs[1];
    EXPECT_EQ(second.align, RtfAlign::Left); // \pard resets the centring
    const RtfRun* word = runWith(second, QStringLiteral("abandon"));
    ASSERT_NE(word, nullptr);
    EXPECT_FALSE(word->format.bold);
    EXPECT_EQ(word->format.color, (RtfColor{0, 0, 128}));
    EXPECT_EQ(word->format.fontFamily, QStringLiteral("Times New Roman"));
    EXPECT_EQ(word->format.halfPoints, 18);
    const RtfRun* gloss = runWith(second, QStringLiteral("放弃"));
    ASSERT_NE(gloss, nullptr);
    EXPECT_FALSE(gloss->format.color); // \cf0: the auto colour

    const RtfRun* phrase = runWith(doc.paragraphs[2], QStringLiteral("according to"));
    ASSERT_NE(phrase, nullptr);
    EXPECT_TRUE(phrase->format.italic);
    const RtfRun* underlined = runWith(doc.paragraphs[2], QStringLiteral("根据"));
    ASSERT_NE(underlined, nullptr);
    EXPECT_TRUE(underlined->format.underline);
    EXPECT_EQ(underlined->format.color, (RtfColor{255, 0, 0}));
}

TEST(RtfReader, UnicodeEscapesSkipTheirFallbacks) {
    // \uc1 with a '?' fallback, \uc2 with a two-byte GBK fallback, negative
    // values, a surrogate pair, \uc0 with no fallback.
    const RtfDocument doc = readRtf(
        "{\\rtf1\\ansi\\ansicpg936 \\uc1\\u35789?\\u20856?{\\uc2\\u25918\\'b7\\'c5}\\u-28671?x"
        "\\u-10179?\\u-8694?\\uc0\\u24323 y}");
    EXPECT_EQ(doc.plainText(), QStringLiteral("词典放\u9001x😊弃y"));
}

TEST(RtfReader, BytesFollowTheFontCharsetElseTheDocumentCodePage) {
    const RtfDocument doc = readRtf(
        "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil SimSun;}{\\f1\\fswiss\\fcharset0 Arial;}"
        "{\\f2\\fnil\\fcharset204 Cyr;}{\\f3\\fnil\\fcharset0\\cpg950 Big;}}"
        "\\f0\\'d6\\'d0 \\f1 caf\\'e9 \\f2\\'cf\\'f0 \\f3\\'a4\\'a4 \\f0 raw\xd6\xd0}");
    EXPECT_EQ(doc.plainText(), QStringLiteral("中 café Пр 中 raw中"));
}

TEST(RtfReader, DoesNotShowTablesPicturesInformationOrStarredGroups) {
    const RtfDocument doc =
        readRtf("{\\rtf1{\\fonttbl{\\f0 Arial{\\*\\panose 0000}{\\*\\falt "
                "Helv};}}{\\stylesheet{\\s1 Heading;}}"
                "{\\info{\\title Secret}{\\author Me}}{\\*\\themedata 0102}"
                "{\\pict\\pngblip\\bin4 {}}{89504e47}"
                "A{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}B{\\*\\unknown hidden}C"
                "{\\header Page}{\\footnote note}D}");
    EXPECT_EQ(doc.plainText(), QStringLiteral("AlinkBCD"));
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    EXPECT_EQ(doc.paragraphs[0].runs.front().format.fontFamily, QStringLiteral("Arial"));
}

TEST(RtfReader, ControlSymbolsAndSpecialCharacters) {
    const RtfDocument doc =
        readRtf("{\\rtf1 a\\\\b\\{c\\}d\\~e\\-f\\_g\\tab h\\line i\\emdash\\endash\\bullet"
                "\\lquote x\\rquote\\ldblquote y\\rdblquote\\\nnext  two   spaces\\par\\par last}");
    ASSERT_EQ(doc.paragraphs.size(), 4u);
    EXPECT_EQ(doc.paragraphs[0].text(),
              QStringLiteral(
                  "a\\b{c}d\u00a0ef\u2011g\th\u2028i\u2014\u2013\u2022\u2018x\u2019\u201cy\u201d"));
    EXPECT_EQ(doc.paragraphs[1].text(), QStringLiteral("next  two   spaces"));
    EXPECT_TRUE(doc.paragraphs[2].runs.empty());
    EXPECT_EQ(doc.paragraphs[3].text(), QStringLiteral("last"));
}

TEST(RtfReader, GroupsScopeFormattingAndPlainResetsIt) {
    const RtfDocument doc =
        readRtf("{\\rtf1{\\colortbl;\\red0\\green128\\blue0;}\\b bold{\\i both\\b0 italic}bold "
                "\\strike\\fs40\\cf1 big\\plain plain\\ul under\\ul0 normal}");
    const RtfParagraph& p = doc.paragraphs.at(0);
    const auto fmt = [&](const char* text) {
        const RtfRun* run = runWith(p, QString::fromLatin1(text));
        RtfFormat missing;
        missing.halfPoints = -1;
        return run ? run->format : missing;
    };
    EXPECT_TRUE(fmt("both").bold && fmt("both").italic);
    EXPECT_TRUE(!fmt("italic").bold && fmt("italic").italic);
    EXPECT_TRUE(fmt("bold ").bold && !fmt("bold ").italic);
    EXPECT_TRUE(fmt("big").strike && fmt("big").halfPoints == 40);
    EXPECT_EQ(fmt("big").color, (RtfColor{0, 128, 0}));
    EXPECT_EQ(fmt("plain"), RtfFormat{});
    EXPECT_TRUE(fmt("under").underline);
    EXPECT_FALSE(fmt("normal").underline);
}

TEST(RtfReader, IsRtfLooksAtTheStartOnly) {
    EXPECT_TRUE(isRtf("  \r\n{\\rtf1 x}"));
    EXPECT_FALSE(isRtf("abandon {\\rtf1 x}"));
    EXPECT_FALSE(isRtf("{\\rt"));
    EXPECT_FALSE(isRtf(""));
}

TEST(RtfCodePage, CharsetsAndDecoding) {
    EXPECT_EQ(codePageForCharset(134), 936);
    EXPECT_EQ(codePageForCharset(136), 950);
    EXPECT_EQ(codePageForCharset(0), 1252);
    EXPECT_EQ(codePageForCharset(1), 0);
    EXPECT_EQ(decodeCodePage("\xb4\xca", 936), QStringLiteral("词"));
    EXPECT_EQ(decodeCodePage("\x93q\x94", 1252), QStringLiteral("\u201cq\u201d"));
    // A lead byte cut off from its second byte is a replacement, not lost text.
    EXPECT_EQ(decodeCodePage("a\xb4", 936), QStringLiteral("a\ufffd"));
}

TEST(RtfDamaged, TruncatedAtEveryLengthShowsWhatWasRead) {
    for (int n = 0; n <= kWordPadList.size(); ++n) {
        const RtfDocument doc = readRtf(kWordPadList.left(n));
        expectCleanText(doc);
        // Text only grows as more of the file is there.
        const QString full = QStringLiteral("广播常用单词\nabandon 放弃\naccording to 根据");
        const QString seen = doc.plainText();
        if (!seen.isEmpty() && !seen.endsWith(QChar::ReplacementCharacter)) {
            EXPECT_TRUE(full.startsWith(seen.left(seen.size() - 1)))
                << n << " " << seen.toStdString();
        }
    }
    EXPECT_EQ(readRtf(kWordPadList.left(kWordPadList.indexOf("\\par\r\n\\pard"))).plainText(),
              QStringLiteral("广播常用单词"));
}

TEST(RtfDamaged, BadEscapesHugeNumbersAndStrayBraces) {
    EXPECT_EQ(readRtf("{\\rtf1 a\\'zzb\\'4c\\'").plainText(), QStringLiteral("azzbL"));
    EXPECT_EQ(readRtf("{\\rtf1 x\\").plainText(), QStringLiteral("x"));
    const RtfDocument huge = readRtf("{\\rtf1\\fs999999999999999999999 a\\u99999999999999 b"
                                     "\\uc999999999\\u65 c\\cf-5 d\\bin99999999999}");
    EXPECT_EQ(huge.paragraphs.at(0).runs.front().format.halfPoints, 400);
    EXPECT_TRUE(huge.plainText().startsWith(QStringLiteral("a\ufffd")));
    EXPECT_EQ(readRtf("}}{\\rtf1 a}}} b").plainText(), QStringLiteral("a"));
    EXPECT_EQ(readRtf("{\\rtf1 a{\\b b{\\i c").plainText(), QStringLiteral("abc"));
    EXPECT_EQ(readRtf("{\\rtf1 a{\\*\\x hidden").plainText(), QStringLiteral("a"));
    const std::string longWord = "{\\rtf1 \\" + std::string(100000, 'x') + "123 y}";
    EXPECT_EQ(readRtf(QByteArray::fromStdString(longWord)).plainText(), QStringLiteral("y"));
}

TEST(RtfDamaged, DeepNestingIsBoundedAndStillReadsTheText) {
    const QByteArray deep =
        "{\\rtf1 " + QByteArray(200000, '{') + "deep\\b bold" + QByteArray(200000, '}') + " after}";
    const RtfDocument doc = readRtf(deep);
    EXPECT_EQ(doc.plainText(), QStringLiteral("deepbold after"));
    EXPECT_FALSE(doc.paragraphs[0].runs.back().format.bold); // bold ended with its groups
}

TEST(RtfDamaged, RandomCorruptionNeverBreaksTheReader) {
    std::mt19937 rng(20240611);
    const QByteArray samples[] = {
        kWordPadList,
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset134 SimSun;}}{\\colortbl;\\red1\\green2\\blue3;}"
        "\\uc2\\u35789\\'b4\\'ca\\cf1\\b x{\\*\\x y}{\\pict\\bin4 \x01\x02\x03\x04}\\par z}"};
    const char tokens[] = "{}\\'*;0123456789abfu- \xb4\xca\xff\x00\r\n";
    for (const QByteArray& sample : samples) {
        for (int round = 0; round < 1500; ++round) {
            QByteArray bytes = sample;
            const int edits = 1 + static_cast<int>(rng() % 12);
            for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
                const qsizetype at =
                    static_cast<qsizetype>(rng() % static_cast<unsigned>(bytes.size()));
                const char token = tokens[rng() % (sizeof tokens - 1)];
                switch (rng() % 4) {
                case 0:
                    bytes[at] = token;
                    break;
                case 1:
                    bytes.insert(at, token);
                    break;
                case 2:
                    bytes.remove(at, 1 + static_cast<qsizetype>(rng() % 8));
                    break;
                default:
                    bytes[at] = static_cast<char>(rng() & 0xff);
                    break;
                }
            }
            const RtfDocument doc = readRtf(bytes);
            expectCleanText(doc);
            // Text from the file never becomes markup: one paragraph element per paragraph.
            EXPECT_EQ(rtfToHtml(doc).count(QStringLiteral("<p ")),
                      static_cast<qsizetype>(doc.paragraphs.size()));
            if (::testing::Test::HasFailure())
                FAIL() << "input: " << bytes.toHex().toStdString();
        }
    }
}
