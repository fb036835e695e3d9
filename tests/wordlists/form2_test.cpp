// The word-list window: its design, the list it shows at load and on a pick,
// missing files, closing; and the four lists the program ships with.
#include "form2.h"
#include "support/wait_for.h"
#include "word_lists.h"

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

using hearvex::wordlists::Form2;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct WordLists : ::testing::Test {
    QTemporaryDir dir;
    QWidget owner;

    void SetUp() override {
        writeFile(dir.filePath("word1.txt"),
                  "{\\rtf1\\ansi\\ansicpg936 {\\b abandon} \\'b7\\'c5\\'c6\\'fa\\par}");
        writeFile(dir.filePath("word2.txt"), "headline \xb1\xea\xcc\xe2"); // GBK plain text
        writeFile(dir.filePath("word3.txt"), "Good morning. 早上好。");
        // word4.txt is missing
    }

    // Picks a list the way a learner does: the drop-down has the focus and an
    // arrow key moves to the next item, which fires the pick.
    static void pickNext(Form2& form) {
        form.controls().Combo1->setFocus();
        QTest::keyClick(form.controls().Combo1, Qt::Key_Down);
    }
};

} // namespace

TEST_F(WordLists, TheWindowIsLaidOutAsDesigned) {
    Form2 form(dir.path(), &owner);
    form.Form_Load();
    EXPECT_EQ(form.size(), QSize(354, 470));
    EXPECT_EQ(form.controls().Image1->geometry(), QRect(336, 0, 13, 13));
    EXPECT_EQ(form.controls().Combo1->geometry(), QRect(0, 24, 353, 20));
    EXPECT_EQ(form.controls().RichTextBox1->geometry(), QRect(0, 48, 353, 417));
    EXPECT_EQ(form.controls().Image1->toolTip(), QStringLiteral("关闭"));
    EXPECT_EQ(form.controls().RichTextBox1->font().pixelSize(), 12); // 9 point
    EXPECT_TRUE(form.controls().RichTextBox1->isReadOnly());
    EXPECT_TRUE(form.isWindow());
    EXPECT_EQ(form.parentWidget(), &owner);
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.windowType(), Qt::Tool); // still a tool window once kept on top
    EXPECT_TRUE(form.testAttribute(Qt::WA_DeleteOnClose));
    ASSERT_EQ(form.controls().Combo1->count(), 4);
    const QStringList expected = {QStringLiteral("广播常用单词"),
                                  QStringLiteral("英文报刊常用术语"),
                                  QStringLiteral("常用口语900句"), QStringLiteral("托福常用短语")};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(form.controls().Combo1->itemText(i), expected[i]);
}

TEST_F(WordLists, LoadShowsTheFirstListAndAPickShowsItsFile) {
    Form2 form(dir.path(), &owner);
    form.Form_Load();
    form.show();
    EXPECT_EQ(form.controls().Combo1->currentText(), QStringLiteral("广播常用单词"));
    EXPECT_EQ(form.controls().RichTextBox1->text(), QStringLiteral("abandon 放弃"));
    EXPECT_TRUE(form.controls()
                    .RichTextBox1->document()
                    ->find(QStringLiteral("abandon"))
                    .charFormat()
                    .fontWeight() >= QFont::Bold);

    pickNext(form);
    EXPECT_EQ(form.controls().Combo1->currentText(), QStringLiteral("英文报刊常用术语"));
    EXPECT_EQ(form.controls().RichTextBox1->text(), QStringLiteral("headline 标题"));
    // The plain list does not inherit the bold of the RTF list shown before it.
    EXPECT_LT(form.controls()
                  .RichTextBox1->document()
                  ->find(QStringLiteral("headline"))
                  .charFormat()
                  .fontWeight(),
              QFont::Bold);

    pickNext(form);
    EXPECT_EQ(form.controls().Combo1->currentText(), QStringLiteral("常用口语900句"));
    EXPECT_EQ(form.controls().RichTextBox1->text(), QStringLiteral("Good morning. 早上好。"));
}

TEST_F(WordLists, AMissingListShowsAnEmptyBox) {
    Form2 form(dir.path(), &owner);
    form.Form_Load();
    form.show();
    form.controls().Combo1->setCurrentIndex(3);
    form.Combo1_Click();
    EXPECT_TRUE(form.controls().RichTextBox1->text().isEmpty());

    QTemporaryDir empty;
    Form2 nothing(empty.path(), &owner);
    nothing.Form_Load();
    EXPECT_TRUE(nothing.controls().RichTextBox1->text().isEmpty());
    EXPECT_EQ(nothing.controls().Combo1->currentIndex(), 0);
}

TEST_F(WordLists, AListTooLargeForAnyWordListIsNotOpened) {
    QFile big(dir.filePath("word2.txt"));
    ASSERT_TRUE(big.open(QIODevice::ReadWrite));
    ASSERT_TRUE(big.resize(hearvex::wordlists::kMaxWordListBytes + 1)); // sparse: quick to make
    big.close();
    Form2 form(dir.path(), &owner);
    form.Form_Load();
    form.show();
    pickNext(form);
    EXPECT_EQ(form.controls().RichTextBox1->text(),
              QStringLiteral("词表文件太大（超过 8 MB），未打开。"));
    pickNext(form); // the next list opens as usual
    EXPECT_EQ(form.controls().RichTextBox1->text(), QStringLiteral("Good morning. 早上好。"));
}

TEST_F(WordLists, TheClosePictureUnloadsTheWindow) {
    QPointer<Form2> form = new Form2(dir.path(), &owner);
    form->Form_Load();
    form->show();
    pickNext(*form);
    QTest::mouseClick(form->controls().Image1, Qt::LeftButton, {}, QPoint(6, 6));
    HEARVEX_WAIT_FOR(form.isNull()); // deleted: nothing of the chosen list is kept
}

// The lists the program ships with: each loads, is long enough to be of use,
// and the RTF ones keep their formatting.
TEST(ShippedWordLists, EveryListLoadsWithItsWordsAndFormatting) {
    QWidget owner;
    Form2 form(QStringLiteral(HEARVEX_DATA_DIR), &owner);
    form.Form_Load();
    const struct {
        const char* english;
        const char* chinese;
        bool formatted;
    } lists[4] = {{"abandon", "放弃", true},
                  {"headline", "标题", true},
                  {"Good morning.", "早上好。", false},
                  {"account for", "解释", true}};
    for (int i = 0; i < 4; ++i) {
        form.controls().Combo1->setCurrentIndex(i);
        form.Combo1_Click();
        const QString text = form.controls().RichTextBox1->text();
        SCOPED_TRACE(i);
        EXPECT_TRUE(text.contains(QString::fromUtf8(lists[i].english)));
        EXPECT_TRUE(text.contains(QString::fromUtf8(lists[i].chinese)));
        EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
        EXPECT_FALSE(text.contains(QStringLiteral("\\'"))) << "RTF escapes shown as text";
        EXPECT_GE(form.controls().RichTextBox1->document()->blockCount(), 62);
        const QTextCharFormat f = form.controls()
                                      .RichTextBox1->document()
                                      ->find(QString::fromUtf8(lists[i].english))
                                      .charFormat();
        EXPECT_EQ(f.fontWeight() >= QFont::Bold, lists[i].formatted);
    }
}
