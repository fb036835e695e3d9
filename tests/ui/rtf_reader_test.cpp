// The RTF reader: what real documents show, and that damaged ones never crash or hang.
#include "rich_text_box.h"
#include "rtf_code_page.h"
#include "rtf_reader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <random>

using namespace hearvex::ui;

namespace {

// A word list as a Chinese WordPad writes it: GBK bytes in a charset-134 font.
const QByteArray kWordPadList =
    "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
    "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}{\\f1\\froman\\fcharset0 Times New "
    "Roman;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
    "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\qc\\lang2052\\b\\f0\\fs28 "
    "\\'b9\\'e3\\'b2\\'a5\\'b3\\'a3\\'d3\\'c3\\'b5\\'a5\\'b4\\'ca\\par\r\n"
    "\\pard\\b0\\f1\\fs18\\cf2 abandon\\cf0  \\f0\\'b7\\'c5\\'c6\\'fa\\par\r\n"
    "\\i\\f1 according to\\i0  \\ul\\cf1\\f0\\'b8\\'f9\\'be\\'dd\\ulnone\\cf0\\par\r\n"
    "}\r\n";

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

QTextDocument* asDocument(const QByteArray& rtf, QObject* owner) {
    auto* doc = new QTextDocument(owner);
    doc->setHtml(rtfToHtml(readRtf(rtf)));
    return doc;
}

QTextCharFormat formatAt(QTextDocument* doc, const QString& text) {
    QTextCursor c = doc->find(text);
    return c.charFormat(); // the format of the found text's last character
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
    EXPECT_EQ(word->format.color, QColor(0, 0, 128));
    EXPECT_EQ(word->format.fontFamily, QStringLiteral("Times New Roman"));
    EXPECT_EQ(word->format.halfPoints, 18);
    const RtfRun* gloss = runWith(second, QStringLiteral("放弃"));
    ASSERT_NE(gloss, nullptr);
    EXPECT_FALSE(gloss->format.color.isValid()); // \cf0: the auto colour

    const RtfRun* phrase = runWith(doc.paragraphs[2], QStringLiteral("according to"));
    ASSERT_NE(phrase, nullptr);
    EXPECT_TRUE(phrase->format.italic);
    const RtfRun* underlined = runWith(doc.paragraphs[2], QStringLiteral("根据"));
    ASSERT_NE(underlined, nullptr);
    EXPECT_TRUE(underlined->format.underline);
    EXPECT_EQ(underlined->format.color, QColor(255, 0, 0));
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
    EXPECT_TRUE(fmt("big").strike && fmt("big").halfPoints == 40 &&
                fmt("big").color == QColor(0, 128, 0));
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

TEST(RtfHtml, TheBoxShowsTheFormatting) {
    QObject owner;
    QTextDocument* doc = asDocument(kWordPadList, &owner);
    ASSERT_EQ(doc->blockCount(), 3);
    EXPECT_EQ(doc->toPlainText(), QStringLiteral("广播常用单词\nabandon 放弃\naccording to 根据"));
    EXPECT_EQ(doc->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    const QTextCharFormat title = formatAt(doc, QStringLiteral("单词"));
    EXPECT_GE(title.fontWeight(), QFont::Bold);
    EXPECT_EQ(title.font().pixelSize(), 19); // 14 pt at 96 dpi: 18.67 px
    const QTextCharFormat word = formatAt(doc, QStringLiteral("abandon"));
    EXPECT_EQ(word.foreground().color(), QColor(0, 0, 128));
    EXPECT_EQ(word.font().pixelSize(), 12); // 9 pt
    EXPECT_TRUE(formatAt(doc, QStringLiteral("根据")).fontUnderline());
    EXPECT_TRUE(formatAt(doc, QStringLiteral("according")).fontItalic());
}

TEST(RtfHtml, KeepsSpacesMarkupCharactersLineBreaksAndEmptyParagraphs) {
    QObject owner;
    QTextDocument* doc = asDocument(
        "{\\rtf1{\\fonttbl{\\f0 Evil\"><b>;}}\\f0 a  <b>&amp;\\tab x\\line y\\par\\par z}", &owner);
    ASSERT_EQ(doc->blockCount(), 3);
    EXPECT_EQ(doc->begin().text(), QStringLiteral("a  <b>&amp;\tx\u2028y"));
    EXPECT_EQ(doc->begin().next().text(), QString());
    EXPECT_EQ(doc->lastBlock().text(), QStringLiteral("z"));
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
    int iterations = 0;
    for (const QByteArray& sample : samples) {
        for (int round = 0; round < 1500; ++round, ++iterations) {
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
            QTextDocument html;
            html.setHtml(rtfToHtml(doc)); // the box must take whatever the reader gives
            if (::testing::Test::HasFailure())
                FAIL() << "input: " << bytes.toHex().toStdString();
        }
    }
    EXPECT_EQ(iterations, 3000);
}

TEST(RtfInTheBox, LoadFileShowsRtfFormattedAndOtherFilesAsText) {
    QTemporaryDir dir;
    const QString rtfPath = dir.filePath(QStringLiteral("word1.txt"));
    QFile rtf(rtfPath);
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write(kWordPadList);
    rtf.close();
    RichTextBox box;
    ASSERT_TRUE(box.loadFile(rtfPath));
    EXPECT_EQ(box.text(), QStringLiteral("广播常用单词\r\nabandon 放弃\r\naccording to 根据"));
    EXPECT_GE(formatAt(box.document(), QStringLiteral("广播")).fontWeight(), QFont::Bold);
    EXPECT_EQ(box.textCursor().position(), 0);

    // The same words as plain GBK text are shown as they are, markup characters included.
    const QString plainPath = dir.filePath(QStringLiteral("word2.txt"));
    QFile plain(plainPath);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("{not rtf} <b>abandon</b> \xb7\xc5\xc6\xfa");
    plain.close();
    ASSERT_TRUE(box.loadFile(plainPath));
    EXPECT_EQ(box.text(), QStringLiteral("{not rtf} <b>abandon</b> 放弃"));
    EXPECT_LT(formatAt(box.document(), QStringLiteral("abandon")).fontWeight(), QFont::Bold);
}
