// Word lists in the rich-text box: the reader's formatting as the box shows it.
#include "rich_text_box.h"
#include "rtf_reader.h"
#include "text/word_pad_sample.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace hearvex::controls;
using namespace hearvex::text;
using hearvex::testing::kWordPadList;

namespace {

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
