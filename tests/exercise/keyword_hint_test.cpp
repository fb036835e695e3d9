// The keyword hint: the box's hit test against its real
// layout, and the tooltip that pointer movements over the boxes leave.
#include "exercise.h"
#include "form1_design.h"
#include "keyword_scan.h"

#include <QAbstractTextDocumentLayout>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

using namespace hearvex;
using exercise::wordAt;

namespace {

// The design hands the exercise its controls, as the main window does.
struct ExerciseDesign : Form1Design {
    using Form1Design::exerciseControls;
};

// The main window's design with the exercise and the hint wired to it.
struct HintWindow : ::testing::Test {
    ExerciseDesign form;
    exercise::Exercise ex{form.exerciseControls()};
    controls::RichTextBox* box = nullptr;

    void SetUp() override {
        form.show();
        box = form.controls().RichTextBox1[0];
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // The keyword-hint switch pressed or released, as its button does.
    void setHint(bool on) {
        if (ex.keywordHintOn() != on)
            ex.toggleKeywordHint();
    }

    void loadLesson(const QString& text) { ex.startSentence(text); }

    // The centre of character i as the box lays it out, in viewport pixels.
    QPoint centreOf(int i) const {
        const QTextBlock block = box->document()->findBlock(i);
        const QTextLayout* layout = block.layout();
        const int inBlock = i - block.position();
        const QTextLine line = layout->lineForTextPosition(inBlock);
        const qreal left = line.cursorToX(inBlock), right = line.cursorToX(inBlock + 1);
        const QRectF blockRect = box->document()->documentLayout()->blockBoundingRect(block);
        return QPointF(blockRect.left() + (left + right) / 2,
                       blockRect.top() + line.y() + line.height() / 2)
            .toPoint();
    }

    QString tipAfterMoveTo(QWidget* viewport, QPoint at) {
        QTest::mouseMove(viewport, at);
        return box->toolTipText();
    }
};

} // namespace

TEST_F(HintWindow, TheHitTestFindsEveryCharacterOfAWrappedSentence) {
    loadLesson(QStringLiteral("It's 5 o'clock, and the 1990s called: they want their "
                              "dictation_exercise back, don't they? Then listen once more and "
                              "write every word you hear."));
    const int count = static_cast<int>(box->toPlainText().size());
    ASSERT_GT(
        box->document()->documentLayout()->blockBoundingRect(box->document()->begin()).height(),
        40); // the sentence wraps
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(box->charFromPos(centreOf(i)), i) << "character " << i;
    // Beyond the end of the text: the last character, to the right and below.
    const QPoint last = centreOf(count - 1);
    EXPECT_EQ(box->charFromPos(QPoint(last.x() + 150, last.y())), count - 1);
    EXPECT_EQ(box->charFromPos(QPoint(5, box->viewport()->height() - 3)), count - 1);
}

TEST_F(HintWindow, TheTooltipIsTheRealWordUnderThePointerWhileTheSwitchIsPressed) {
    const QString sentence = QStringLiteral("It's 5 o'clock, don't worry about the 1990s.");
    loadLesson(sentence + QStringLiteral("\r\nSecond line is not part of it."));
    ASSERT_EQ(box->text(), QStringLiteral("**'* 5 *'*****, ***'* ***** ***** *** 1990*."));
    setHint(true);
    QWidget* viewport = box->viewport();
    for (int i = 0; i < sentence.size(); ++i)
        EXPECT_EQ(tipAfterMoveTo(viewport, centreOf(i)), wordAt(sentence, i)) << "character " << i;
    EXPECT_EQ(tipAfterMoveTo(viewport, centreOf(sentence.indexOf(u'w'))), QStringLiteral("worry"));
    EXPECT_EQ(tipAfterMoveTo(viewport, centreOf(sentence.indexOf(u'9'))), QStringLiteral("1990s"));
    EXPECT_EQ(tipAfterMoveTo(viewport, centreOf(2)), QString()); // an apostrophe
    // Below the text: the last character, a full stop, holds no word.
    EXPECT_EQ(tipAfterMoveTo(viewport, QPoint(20, viewport->height() - 4)), QString());
}

TEST_F(HintWindow, ReleasedSwitchTypingBoxAndNoLessonClearTheTooltip) {
    setHint(true);
    QWidget* viewport = box->viewport();
    EXPECT_EQ(tipAfterMoveTo(viewport, QPoint(10, 10)), QString()); // nothing loaded yet

    loadLesson(QStringLiteral("Listen carefully"));
    setHint(true); // a lesson load releases it
    EXPECT_EQ(tipAfterMoveTo(viewport, centreOf(3)), QStringLiteral("Listen"));
    // Over the typing box the exercise box's tooltip is cleared.
    EXPECT_EQ(tipAfterMoveTo(form.controls().RichTextBox1[1]->viewport(), QPoint(12, 12)),
              QString());
    EXPECT_EQ(tipAfterMoveTo(viewport, centreOf(9)), QStringLiteral("carefully"));
    setHint(false);
    EXPECT_EQ(tipAfterMoveTo(viewport, centreOf(8)), QString());
}

TEST_F(HintWindow, APartlyUncoveredBoxStillHintsFromTheSentence) {
    loadLesson(QStringLiteral("The cat sat"));
    form.controls().RichTextBox1[1]->setText(QStringLiteral("The dog sat"));
    ex.check();
    ASSERT_EQ(box->text(), QStringLiteral("The *** sat "));
    setHint(true);
    EXPECT_EQ(tipAfterMoveTo(box->viewport(), centreOf(1)), QStringLiteral("The"));
    EXPECT_EQ(tipAfterMoveTo(box->viewport(), centreOf(5)), QStringLiteral("cat"));
}
