// The rich-text box's text, selection and hit-test semantics.
#include "control_error.h"
#include "fonts.h"
#include "rich_text_box.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using hearvex::controls::ControlError;
using hearvex::controls::RichTextBox;

namespace {
struct Box : ::testing::Test {
    RichTextBox box;
    void SetUp() override {
        box.resize(376, 196);
        box.setFont(hearvex::controls::timesNewRoman(16));
        box.show();
    }
};
} // namespace

TEST_F(Box, LineBreaksReadAsCrLfWhateverWasWritten) {
    box.setText(QStringLiteral("one\r\ntwo\nthree\rfour"));
    EXPECT_EQ(box.text(), QStringLiteral("one\r\ntwo\r\nthree\r\nfour"));
}

TEST_F(Box, SelectionReplacesExactlyTheSelectedCharacters) {
    box.setText(QStringLiteral("*** *** ***"));
    box.setSelStart(4);
    box.setSelLength(3);
    EXPECT_EQ(box.selText(), QStringLiteral("***"));
    box.setSelText(QStringLiteral("dog"));
    EXPECT_EQ(box.text(), QStringLiteral("*** dog ***"));
    EXPECT_EQ(box.selStart(), 7);
    EXPECT_EQ(box.selLength(), 0);
}

TEST_F(Box, SelStartCollapsesTheSelectionAndStopsAtTheEnd) {
    box.setText(QStringLiteral("abcdef"));
    box.setSelStart(1);
    box.setSelLength(3);
    box.setSelStart(2);
    EXPECT_EQ(box.selLength(), 0);
    box.setSelStart(100);
    EXPECT_EQ(box.selStart(), 6);
    box.setSelStart(2);
    box.setSelLength(100);
    EXPECT_EQ(box.selText(), QStringLiteral("cdef"));
    EXPECT_THROW(box.setSelStart(-1), ControlError);
    EXPECT_THROW(box.setSelLength(-1), ControlError);
}

TEST_F(Box, SelColorColoursTheSelectionAndWhatIsTypedNext) {
    box.setSelColor(Qt::white);
    QTest::keyClicks(&box, QStringLiteral("typed"));
    box.setSelStart(0);
    box.setSelLength(5);
    EXPECT_EQ(box.selColor(), QColor(Qt::white));
    box.setSelColor(Qt::red);
    box.setSelStart(1);
    box.setSelLength(1);
    EXPECT_EQ(box.selColor(), QColor(Qt::red));
}

TEST_F(Box, CharFromPosFindsTheCharacterUnderThePoint) {
    box.setText(QStringLiteral("Listen carefully"));
    EXPECT_EQ(box.charFromPos(QPoint(2, 8)), 0);
    // Walk across the first line: indexes never go backwards and reach the last one.
    int previous = 0;
    for (int x = 0; x < 370; x += 3) {
        const int n = box.charFromPos(QPoint(x, 8));
        EXPECT_GE(n, previous);
        previous = n;
    }
    EXPECT_EQ(previous, 15);
    // Beyond the end of the text: the last character.
    EXPECT_EQ(box.charFromPos(QPoint(360, 180)), 15);
}

TEST_F(Box, CharFromPosInAnEmptyBoxIsNothing) {
    box.setText(QString());
    EXPECT_EQ(box.charFromPos(QPoint(10, 10)), -1);
}

TEST_F(Box, TakingTheFocusFailsWhenTheBoxCannotTakeIt) {
    RichTextBox hidden;
    EXPECT_THROW(hidden.takeFocus(), ControlError);
    EXPECT_NO_THROW(box.takeFocus());
}

TEST_F(Box, LoadsPlainTextInUtf8OrGbkAndEmptiesOnAMissingFile) {
    QTemporaryDir dir;
    const QString utf8 = dir.filePath("u.txt"), gbk = dir.filePath("g.txt");
    QFile f(utf8);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("apple 苹果").toUtf8());
    f.close();
    QFile g(gbk);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write(QByteArray("pear \xc0\xe6")); // 梨 in GBK
    g.close();
    EXPECT_TRUE(box.loadFile(utf8));
    EXPECT_EQ(box.text(), QStringLiteral("apple 苹果"));
    EXPECT_TRUE(box.loadFile(gbk));
    EXPECT_EQ(box.text(), QStringLiteral("pear 梨"));
    EXPECT_FALSE(box.loadFile(dir.filePath("missing.txt")));
    EXPECT_TRUE(box.text().isEmpty());
}
