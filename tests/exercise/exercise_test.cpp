// The exercise in the main window: building it from a lesson text, typing and checking.
#include "dictation.h"
#include "form1.h"
#include "scripted_engine.h"
#include "support/wait_for.h"

#include <QTest>
#include <gtest/gtest.h>

using hearvex::Form1;
using hearvex::testing::ScriptedEngine;

namespace {

class ExerciseInForm1 : public ::testing::Test {
protected:
    ExerciseInForm1() {
        form.load();
        form.show();
    }

    hearvex::controls::RichTextBox* box() { return form.controls().RichTextBox1[0]; }
    hearvex::controls::RichTextBox* typing() { return form.controls().RichTextBox1[1]; }

    // What the lesson library does: the lesson's text into the box, then startSentence.
    void startLesson(const QString& text) { form.exercise().startSentence(text); }

    void type(const QString& words) { typing()->setText(words); }

    void check() { form.exercise().check(); }

    ScriptedEngine engine;
    Form1 form{engine};
};

} // namespace

TEST_F(ExerciseInForm1, ALessonShowsItsFirstLineMaskedAndReadiesTheTypingBox) {
    form.controls().Image2[3]->setBorderStyle(1);
    form.controls().Image2[4]->setBorderStyle(1);
    typing()->setText(QStringLiteral("left over from the last lesson"));

    startLesson(QStringLiteral("It's 5 o'clock.\r\nA line the learner never sees."));

    EXPECT_EQ(form.exercise().answerText(), QStringLiteral("It's 5 o'clock."));
    EXPECT_EQ(form.exercise().lessonText(),
              QStringLiteral("It's 5 o'clock.\r\nA line the learner never sees."));
    EXPECT_EQ(box()->text(), QStringLiteral("**'* 5 *'*****."));
    EXPECT_EQ(box()->selStart(), 0);
    EXPECT_EQ(box()->selLength(), 0);
    EXPECT_EQ(typing()->text(), QString());
    EXPECT_EQ(form.controls().Image2[3]->borderStyle(), 0);
    EXPECT_EQ(form.controls().Image2[4]->borderStyle(), 0);
    EXPECT_EQ(typing()->selColor(), QColor(Qt::white));
    HEARVEX_WAIT_FOR(typing()->hasFocus());
}

TEST_F(ExerciseInForm1, ALessonTextOfSpacesChangesNothing) {
    startLesson(QStringLiteral("The cat sat."));
    form.controls().Image2[3]->setBorderStyle(1);
    type(QStringLiteral("The"));

    startLesson(QStringLiteral("    "));

    EXPECT_EQ(form.exercise().answerText(), QStringLiteral("The cat sat."));
    EXPECT_EQ(typing()->text(), QStringLiteral("The"));
    EXPECT_EQ(form.controls().Image2[3]->borderStyle(), 1);
}

TEST_F(ExerciseInForm1, ALessonStartingWithALineBreakHasAnEmptySentenceAndUncoversNothing) {
    startLesson(QStringLiteral("\r\nHidden second line"));
    EXPECT_EQ(form.exercise().answerText(), QString());
    EXPECT_EQ(box()->text(), QString());
    type(QStringLiteral("Hidden second line"));
    check();
    EXPECT_EQ(box()->text(), QStringLiteral(" "));
}

TEST_F(ExerciseInForm1, TheCheckUncoversTheWordsTypedRightInTheirPlace) {
    startLesson(QStringLiteral("The dog likes  2 bones."));
    type(QStringLiteral("the dog\r\n\r\nlikes   extra 2 bones"));
    check();
    // "the" is not "The"; "extra" fills the empty slot; "bones" is not "bones.".
    EXPECT_EQ(box()->text(), QStringLiteral("*** dog likes  2 *****. "));
    // The last compared slot stays selected.
    EXPECT_EQ(box()->selStart(), 17);
    EXPECT_EQ(box()->selLength(), 6);
    EXPECT_EQ(box()->selText(), QStringLiteral("*****."));
}

TEST_F(ExerciseInForm1, CheckingTwiceGivesTheSameBoxAndAFullTextShownIsMaskedFirst) {
    startLesson(QStringLiteral("Where is the station?"));
    type(QStringLiteral("Where is a station?"));
    check();
    const QString once = box()->text();
    EXPECT_EQ(once, QStringLiteral("Where is *** station? "));
    check();
    EXPECT_EQ(box()->text(), once);

    // The full-text hint shows the sentence; a check masks it again first.
    form.exercise().setFullText(true);
    type(QStringLiteral("Where"));
    check();
    EXPECT_EQ(box()->text(), QStringLiteral("Where ** *** *******? "));
}

TEST_F(ExerciseInForm1, TheLearnerTypesInTheTypingBoxAndCannotEditTheExerciseBox) {
    startLesson(QStringLiteral("We like tea."));
    QTest::keyClicks(box(), QStringLiteral("xyz"));
    QTest::keyClick(box(), Qt::Key_Backspace);
    EXPECT_EQ(box()->text(), QStringLiteral("** **** ***."));
    EXPECT_TRUE(box()->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_EQ(typing()->text(), QStringLiteral("xy")); // passed on to the typing box
    type(QString());

    QTest::keyClicks(typing(), QStringLiteral("We"));
    QTest::keyClick(typing(), Qt::Key_Return);
    QTest::keyClicks(typing(), QStringLiteral("like"));
    QTest::keyClick(typing(), Qt::Key_Return,
                    Qt::ShiftModifier); // a line break inside the paragraph
    QTest::keyClicks(typing(), QStringLiteral("tea."));
    check();
    EXPECT_EQ(box()->text(), QStringLiteral("We like tea. "));
}

TEST_F(ExerciseInForm1, KeysTypedIntoTheExerciseBoxGoToTheTypingBox) {
    startLesson(QStringLiteral("We like tea."));
    box()->setFocus();
    HEARVEX_WAIT_FOR(box()->hasFocus());
    QTest::keyClicks(box(), QStringLiteral("We lik"));
    QTest::keyClick(box(), Qt::Key_Backspace);
    QTest::keyClick(box(), Qt::Key_Return);
    EXPECT_EQ(typing()->text(), QStringLiteral("We li\r\n"));
    EXPECT_EQ(box()->text(), QStringLiteral("** **** ***."));
    HEARVEX_WAIT_FOR(typing()->hasFocus());

    // Commands and movement keys stay with the exercise box.
    box()->setFocus();
    HEARVEX_WAIT_FOR(box()->hasFocus());
    QTest::keyClick(box(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(box()->selLength(), 12);
    QTest::keyClick(box(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(box(), Qt::Key_Left);
    EXPECT_TRUE(box()->hasFocus());
    EXPECT_EQ(typing()->text(), QStringLiteral("We li\r\n"));
}

TEST_F(ExerciseInForm1, TheEmptyBoxesSayWhereToStartUntilALessonLoads) {
    EXPECT_FALSE(box()->placeholderText().isEmpty());
    EXPECT_FALSE(typing()->placeholderText().isEmpty());
    EXPECT_EQ(box()->text(), QString()); // painted, not text
    startLesson(QStringLiteral("Hello."));
    // The typing box is empty again, and must not ask where to start.
    EXPECT_EQ(typing()->text(), QString());
    EXPECT_EQ(typing()->placeholderText(), QString());
    EXPECT_EQ(box()->placeholderText(), QString());
}

TEST_F(ExerciseInForm1, ABlankLessonAfterARealOneNeverWritesWordsOutOfPlace) {
    startLesson(QStringLiteral("Good night."));
    // A lesson whose text could not be read empties the box; the sentence stays.
    startLesson(QString());
    EXPECT_EQ(form.exercise().answerText(), QStringLiteral("Good night."));
    type(QStringLiteral("Good night."));
    check();
    EXPECT_EQ(box()->text(), QStringLiteral(" "));
}

TEST_F(ExerciseInForm1, ANewLessonReplacesTheSentenceAndClearsTheTypedText) {
    startLesson(QStringLiteral("First one."));
    type(QStringLiteral("First"));
    check();
    startLesson(QStringLiteral("Second one."));
    EXPECT_EQ(box()->text(), QStringLiteral("****** ***."));
    EXPECT_EQ(typing()->text(), QString());
    type(QStringLiteral("First one."));
    check();
    EXPECT_EQ(box()->text(), QStringLiteral("****** one. "));
}

TEST_F(ExerciseInForm1, EveryCheckAndCompareOfALessonIsReported) {
    std::vector<hearvex::exercise::AttemptResult> attempts;
    QObject::connect(&form.exercise(), &hearvex::exercise::Exercise::attemptMade,
                     [&](const hearvex::exercise::AttemptResult& r) { attempts.push_back(r); });
    type(QStringLiteral("anything"));
    check(); // no lesson yet: nothing to report
    form.exercise().compareAligned();
    EXPECT_TRUE(attempts.empty());

    startLesson(QStringLiteral("We went to the park."));
    type(QStringLiteral("We went the park."));
    check();
    form.exercise().compareAligned();
    ASSERT_EQ(attempts.size(), 2u);
    using Kind = hearvex::exercise::AttemptResult::Kind;
    EXPECT_EQ(attempts[0].kind, Kind::Check);
    EXPECT_EQ(attempts[0].sentence, QStringLiteral("We went to the park."));
    EXPECT_EQ(attempts[0].typedText, QStringLiteral("We went the park."));
    EXPECT_EQ(attempts[0].wordsRight, 2);
    EXPECT_EQ(attempts[0].wordsTotal, 5);
    EXPECT_EQ(attempts[0].missedWords, (QStringList{"to", "the", "park."}));
    EXPECT_EQ(attempts[1].kind, Kind::Compare);
    EXPECT_EQ(attempts[1].wordsRight, 4);
    EXPECT_EQ(attempts[1].wordsTotal, 5);
    EXPECT_EQ(attempts[1].missedWords, (QStringList{"to"}));
}
