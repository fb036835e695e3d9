// The keys that work while typing, pressed on the real main window with a
// scripted engine: each runs its operation, and the focused box or list
// never sees it.
#include "form1.h"
#include "lesson_list.h"
#include "lessons/lesson_files.h"
#include "practice_key_table.h"
#include "scripted_engine.h"
#include "support/wait_for.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

using hearvex::Form1;
using hearvex::testing::ScriptedEngine;
using Calls = std::vector<std::string>;

namespace {

const QString kSentence = QStringLiteral("My name is Lily, and I'm from Shanghai.");
// As an input method types it: full-width marks, "is" left out, "from" twice.
const QString kTyped = QStringLiteral("My name Lily， and I'm from from Shanghai。");

class PracticeKeysTest : public ::testing::Test {
protected:
    PracticeKeysTest() {
        form.setProgramDir(dir.path());
        form.player().setMessageHandler([](const QString&) {});
        form.load();
        form.show();
    }

    // A recording the engine knows, in the lesson folder.
    QString track(const QString& name, int totalSec) {
        const QString folder = hearvex::lessons::lessonFolder(dir.path());
        QDir().mkpath(folder);
        const QString path = folder + QLatin1Char('/') + name;
        hearvex::testing::writeBytes(path, "recording");
        engine.addTrack(path.toStdString(), "unit", totalSec);
        return path;
    }

    hearvex::controls::RichTextBox* typing() { return form.controls().RichTextBox1[1]; }
    QString exerciseBox() { return form.controls().RichTextBox1[0]->text(); }

    // Types as the learner does: ASCII from the keys, the rest committed by an input method.
    void type(const QString& text) {
        for (QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClicks(typing(), QString(c));
                continue;
            }
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(typing(), &commit);
        }
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(typing(), key, modifiers);
    }

    // The engine's transport and speed calls since the last look.
    Calls transport() {
        Calls out;
        for (const std::string& call : engine.calls)
            for (const char* name : {"play", "pause", "restart", "stop", "seek", "setSpeed"})
                if (call == name || call.rfind(std::string(name) + ' ', 0) == 0)
                    out.push_back(call);
        engine.clearCalls();
        return out;
    }

    // The typing box's marks as "offset:text"; each highlighted and underlined,
    // so it reads without colour.
    std::vector<std::string> marks() {
        std::vector<std::string> out;
        for (const QTextEdit::ExtraSelection& mark : typing()->extraSelections()) {
            EXPECT_EQ(mark.format.underlineStyle(), QTextCharFormat::WaveUnderline);
            EXPECT_EQ(mark.format.background().color(), QColor(255, 236, 140));
            out.push_back(std::to_string(mark.cursor.selectionStart()) + ':' +
                          mark.cursor.selectedText().toStdString());
        }
        return out;
    }

    QTemporaryDir dir;
    ScriptedEngine engine;
    Form1 form{engine};
};

} // namespace

TEST_F(PracticeKeysTest, WhileTypingEveryKeyRunsItsOperationAndTheTypedTextStays) {
    form.startLesson(kSentence + QStringLiteral("\r\nsecond line"), track("unit1.txt", 100));
    HEARVEX_WAIT_FOR(typing()->hasFocus());
    type(kTyped);
    ASSERT_EQ(typing()->text(), kTyped);
    const QString masked = exerciseBox();
    engine.clearCalls();

    // Esc pauses; Esc resumes 2 s earlier, moved before the sound goes on; never before 0.
    engine.position = 10;
    press(Qt::Key_Escape);
    EXPECT_EQ(engine.state, 2);
    EXPECT_EQ(transport(), (Calls{"pause"}));
    press(Qt::Key_Escape);
    EXPECT_EQ(transport(), (Calls{"seek 8", "restart"}));
    EXPECT_EQ(engine.state, 1);
    EXPECT_EQ(form.controls().scSeek->value(), 8);
    EXPECT_EQ(form.controls().lbPlayTime->caption(), QStringLiteral("00:08"));
    engine.position = 1;
    press(Qt::Key_Escape);
    press(Qt::Key_Escape);
    EXPECT_EQ(transport(), (Calls{"pause", "seek 0", "restart"}));

    // F3 and F4 go 3 s through the engine, also forward where the position bar
    // (LargeChange 10 on this track) would take the move as its own progress.
    engine.position = 40;
    press(Qt::Key_F4);
    EXPECT_EQ(form.controls().scSeek->value(), 43);
    press(Qt::Key_F3);
    press(Qt::Key_F3);
    EXPECT_EQ(transport(), (Calls{"seek 43", "seek 40", "seek 37"}));
    EXPECT_EQ(form.controls().scSeek->value(), 37);

    // F4 near the end ends the track; Esc then plays it from its start.
    engine.position = 98;
    press(Qt::Key_F4);
    EXPECT_EQ(engine.state, 0);
    form.controls().Timer->tick(); // the status tick sees the end and stops
    EXPECT_FALSE(form.controls().Timer->enabled());
    EXPECT_EQ(form.controls().lbPlayTime->caption(), QStringLiteral("00:00"));
    press(Qt::Key_Escape);
    EXPECT_EQ(transport(), (Calls{"seek 101", "play"}));
    EXPECT_EQ(engine.state, 1);

    // F5 plays from the start, also when paused; the lesson is not read again.
    engine.position = 50;
    press(Qt::Key_Escape);
    press(Qt::Key_F5);
    EXPECT_EQ(transport(), (Calls{"pause", "stop", "play"}));
    EXPECT_EQ(engine.state, 1);
    EXPECT_EQ(engine.position, 0);
    EXPECT_EQ(exerciseBox(), masked);

    // F6 slower, F7 faster, 0.1x a step within 0.5x..1.5x; lbSpeed is empty at 1.0x.
    const struct {
        Qt::Key key;
        int times;
        int percent;
        const char* shown;
    } speeds[] = {
        {Qt::Key_F6, 1, 90, "0.9x"},   {Qt::Key_F7, 1, 100, ""}, {Qt::Key_F6, 7, 50, "0.5x"},
        {Qt::Key_F7, 12, 150, "1.5x"}, {Qt::Key_F6, 5, 100, ""},
    };
    for (const auto& step : speeds) {
        for (int i = 0; i < step.times; ++i)
            press(step.key);
        EXPECT_EQ(engine.speed, step.percent) << step.shown;
        EXPECT_EQ(form.player().speedPercent(), step.percent);
        EXPECT_EQ(form.controls().lbSpeed->caption(), QString::fromUtf8(step.shown));
    }
    for (const std::string& call : transport()) {
        const int percent = std::stoi(call.substr(std::string("setSpeed ").size()));
        EXPECT_TRUE(percent >= 50 && percent <= 150) << call;
    }

    // F8 shows and hides the sentence, as the full-text switch.
    press(Qt::Key_F8);
    EXPECT_EQ(exerciseBox(), kSentence);
    EXPECT_EQ(form.controls().Image2[4]->borderStyle(), 1);
    press(Qt::Key_F8);
    EXPECT_EQ(exerciseBox(), masked);
    EXPECT_EQ(form.controls().Image2[4]->borderStyle(), 0);

    // Ctrl+Enter, from either Enter key, checks as 错误记录 and releases the full text.
    const QString checked = QStringLiteral("My name ** ****, *** *'* from ********. ");
    press(Qt::Key_F8);
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(exerciseBox().toStdString(), checked.toStdString());
    EXPECT_EQ(form.controls().Image2[4]->borderStyle(), 0);
    press(Qt::Key_F8);
    press(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(exerciseBox().toStdString(), checked.toStdString());
    EXPECT_EQ(form.controls().Image2[4]->borderStyle(), 0);

    // F9 aligns the words: "is" missed, the second "from" extra.
    press(Qt::Key_F9);
    EXPECT_EQ(form.controls().lbScore->caption(), QStringLiteral("7/8"));
    EXPECT_EQ(form.controls().lbScore->toolTip(),
              QStringLiteral("漏掉或写错的词：is\n\nis → （漏写）：虚词\nfrom：多写"));
    EXPECT_EQ(marks(), (std::vector<std::string>{"27:from"}));

    EXPECT_EQ(typing()->text(), kTyped);
    EXPECT_TRUE(typing()->hasFocus());
}

TEST_F(PracticeKeysTest, TheCompareGoesWithTheNextKeystrokeOrLesson) {
    const QString first = track("unit1.txt", 30);
    form.startLesson(QStringLiteral("I like green tea."), first);
    // Nothing typed: every word missed.
    press(Qt::Key_F9);
    EXPECT_EQ(form.controls().lbScore->caption(), QStringLiteral("0/4"));
    EXPECT_EQ(form.controls().lbScore->toolTip(),
              QStringLiteral("漏掉或写错的词：I like green tea.\n\n还没写：I like green tea."));

    QTest::keyClicks(typing(), QStringLiteral("I lik"));
    QTest::keyClick(typing(), Qt::Key_Return);
    QTest::keyClicks(typing(), QStringLiteral("green tea."));
    press(Qt::Key_F9);
    EXPECT_EQ(form.controls().lbScore->caption(), QStringLiteral("3/4"));
    // Offsets count the line break as one character, as the box does.
    EXPECT_EQ(marks(), (std::vector<std::string>{"2:lik"}));
    QTest::keyClicks(typing(), QStringLiteral("e"));
    EXPECT_EQ(form.controls().lbScore->caption(), QString());
    EXPECT_EQ(form.controls().lbScore->toolTip(), QString());
    EXPECT_TRUE(marks().empty());
    EXPECT_EQ(typing()->text(), QStringLiteral("I lik\r\ngreen tea.e"));

    press(Qt::Key_F9);
    EXPECT_FALSE(marks().empty());
    form.startLesson(QStringLiteral("Next one."), first);
    EXPECT_EQ(form.controls().lbScore->caption(), QString());
    EXPECT_TRUE(marks().empty());
}

TEST_F(PracticeKeysTest, TheSpeedHoldsAcrossLessonsAndKeysWorkFromTheLessonList) {
    hearvex::testing::writeLessonText(hearvex::lessons::lessonFolder(dir.path()) + "/unit1.kvx",
                                      QStringLiteral("One."));
    hearvex::testing::writeLessonText(hearvex::lessons::lessonFolder(dir.path()) + "/unit2.kvx",
                                      QStringLiteral("Two."));
    const QString first = track("unit1.txt", 30);
    const QString second = track("unit2.txt", 30);
    form.startLesson(QStringLiteral("One."), first);
    press(Qt::Key_F6);
    press(Qt::Key_F6);
    engine.clearCalls();

    hearvex::lessons::Form3& library = form.form3();
    library.show();
    library.controls().File1->setListIndex(1);
    library.controls().File1->setFocus();
    engine.position = 10;
    QTest::keyClick(library.controls().File1, Qt::Key_F4);
    EXPECT_EQ(transport(), (Calls{"seek 13"}));
    // Esc leaves the list for the typing box; pressed there, it pauses.
    QTest::keyClick(library.controls().File1, Qt::Key_Escape);
    EXPECT_EQ(transport(), Calls{});
    HEARVEX_WAIT_FOR(typing()->hasFocus());
    press(Qt::Key_Escape);
    EXPECT_EQ(transport(), (Calls{"pause"}));
    EXPECT_TRUE(library.isVisible());
    EXPECT_EQ(library.controls().File1->listIndex(), 1);
    // Keys outside the table still reach the list.
    QTest::keyClick(library.controls().File1, Qt::Key_Up);
    EXPECT_EQ(library.controls().File1->listIndex(), 0);
    QTest::keyClick(library.controls().File1, Qt::Key_Down);

    // A lesson started from the list plays at the learner's speed.
    QTest::keyClick(library.controls().File1, Qt::Key_Return);
    const Calls calls = transport();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "setSpeed 80"), calls.end());
    EXPECT_EQ(engine.openedPath, second.toStdString());
    EXPECT_EQ(form.controls().lbSpeed->caption(), QStringLiteral("0.8x"));
}

TEST_F(PracticeKeysTest, AMessageBoxKeepsItsKeys) {
    form.startLesson(QStringLiteral("One."), track("unit1.txt", 30));
    engine.clearCalls();
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Hearvex"),
                    QStringLiteral("ErrNo : 4 Open Error"), QMessageBox::Ok, &form);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    HEARVEX_WAIT_FOR(QApplication::activeModalWidget() == &box);
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(transport(), Calls{});
    EXPECT_EQ(engine.state, 1);
}

TEST_F(PracticeKeysTest, CtrlPageKeysStepThroughTheLibraryAndStopAtItsEnds) {
    const QString folder = hearvex::lessons::lessonFolder(dir.path());
    QStringList tracks;
    for (const char* name : {"unit1", "unit2", "unit3"}) {
        hearvex::testing::writeLessonText(folder + '/' + name + ".kvx", QString::fromUtf8(name));
        tracks << track(QString::fromUtf8(name) + ".txt", 30);
    }
    hearvex::lessons::Form3& library = form.form3();
    library.controls().File1->setListIndex(0);
    library.startSelected();
    form.activateWindow();
    typing()->setFocus();
    HEARVEX_WAIT_FOR(typing()->hasFocus());

    // {key, the lesson then selected and playing}: down to the end and past it, then back up past
    // the top.
    const struct {
        Qt::Key key;
        int lesson;
    } steps[] = {{Qt::Key_PageDown, 1}, {Qt::Key_PageDown, 2}, {Qt::Key_PageDown, 2},
                 {Qt::Key_PageUp, 1},   {Qt::Key_PageUp, 0},   {Qt::Key_PageUp, 0}};
    for (const auto& step : steps) {
        engine.openedPath.clear();
        const bool atEnd = library.controls().File1->listIndex() == step.lesson;
        press(step.key, Qt::ControlModifier);
        EXPECT_EQ(library.controls().File1->listIndex(), step.lesson);
        EXPECT_EQ(engine.openedPath, atEnd ? std::string() : tracks[step.lesson].toStdString());
        EXPECT_TRUE(typing()->hasFocus());
        EXPECT_TRUE(typing()->text().isEmpty()); // nothing typed into the box
    }
    EXPECT_TRUE(form.controls().Image2[7]->toolTip().endsWith(QStringLiteral("（Ctrl+PageDown）")));
    EXPECT_TRUE(form.controls().Image2[9]->toolTip().endsWith(QStringLiteral("（Ctrl+PageUp）")));
}

// The keyboard learner's path from the start: the first lesson is selected and
// none started; the keys start the selected one, then step from there.
TEST_F(PracticeKeysTest, AtStartCtrlPageKeysStartTheSelectedLessonFirst) {
    const QString folder = hearvex::lessons::lessonFolder(dir.path());
    QStringList tracks;
    for (const char* name : {"unit1", "unit2", "unit3"}) {
        hearvex::testing::writeLessonText(folder + '/' + name + ".kvx", QString::fromUtf8(name));
        tracks << track(QString::fromUtf8(name) + ".txt", 30);
    }
    const struct {
        Qt::Key key;
        int selected;      // before the first press
        QList<int> opened; // the lesson each press starts, -1 none
    } cases[] = {{Qt::Key_PageDown, 0, {0, 1, 2}},
                 {Qt::Key_PageUp, 0, {0, -1}},
                 {Qt::Key_PageDown, 2, {2, -1}},
                 {Qt::Key_PageUp, 2, {2, 1, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " from " << c.selected);
        Form1 fresh(engine);
        fresh.setProgramDir(dir.path());
        fresh.player().setMessageHandler([](const QString&) {});
        fresh.load();
        fresh.show();
        hearvex::lessons::Form3& library = fresh.form3(); // loads with the first selected
        library.controls().File1->setListIndex(c.selected);
        QList<int> opened;
        for (qsizetype press = 0; press < c.opened.size(); ++press) {
            engine.openedPath.clear();
            QTest::keyClick(fresh.controls().RichTextBox1[1], c.key, Qt::ControlModifier);
            opened << int(tracks.indexOf(QString::fromStdString(engine.openedPath)));
        }
        EXPECT_EQ(opened, c.opened);
    }
}

TEST_F(PracticeKeysTest, CtrlLChoosesALessonByKeysAndGivesTheFocusBack) {
    const QString folder = hearvex::lessons::lessonFolder(dir.path());
    QStringList tracks;
    for (const char* name : {"unit1", "unit2", "unit3"}) {
        hearvex::testing::writeLessonText(folder + '/' + name + ".kvx", QString::fromUtf8(name));
        tracks << track(QString::fromUtf8(name) + ".txt", 30);
    }
    hearvex::lessons::Form3& library = form.form3();
    library.show();
    form.activateWindow();
    typing()->setFocus();
    HEARVEX_WAIT_FOR(typing()->hasFocus());
    hearvex::lessons::FileList* list = library.controls().File1;

    // Ctrl+L, Down, Return: the second lesson starts, the focus back in the typing box.
    press(Qt::Key_L, Qt::ControlModifier);
    HEARVEX_WAIT_FOR(list->hasFocus());
    EXPECT_TRUE(typing()->text().isEmpty());
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(engine.openedPath, std::string()); // moving starts nothing
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(engine.openedPath, tracks[1].toStdString());
    HEARVEX_WAIT_FOR(typing()->hasFocus());
    EXPECT_EQ(exerciseBox(), QStringLiteral("****2"));

    // Ctrl+L, Down, Esc: nothing starts, the focus goes back, the playing lesson plays on.
    engine.openedPath.clear();
    engine.clearCalls();
    press(Qt::Key_L, Qt::ControlModifier);
    HEARVEX_WAIT_FOR(list->hasFocus());
    EXPECT_EQ(list->listIndex(), 1);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Escape);
    HEARVEX_WAIT_FOR(typing()->hasFocus());
    EXPECT_EQ(engine.openedPath, std::string());
    EXPECT_EQ(transport(), Calls{});
    EXPECT_EQ(list->listIndex(), 2);

    // The library hidden by its close button comes back for Ctrl+L.
    library.hide();
    press(Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(library.isVisible());
    HEARVEX_WAIT_FOR(list->hasFocus());
}
