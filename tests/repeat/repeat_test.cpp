// A-B repeat on the real main window with a scripted engine: the buttons, the
// labels, the loop check, the shortcuts, play and pause.
#include "form1.h"
#include "scripted_engine.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using hearvex::Form1;
using hearvex::testing::ScriptedEngine;
using Calls = std::vector<std::string>;

namespace {

const QString kOn = QStringLiteral("停止复读");
const QString kOff = QStringLiteral("开始复读");

class Repeat : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedEngine engine;
    Form1 form{engine};

    void SetUp() override {
        form.load();
        form.show();
    }

    // Opens a track of the given length and starts it, as the lesson library does.
    void open(int totalSec, const QString& name = QStringLiteral("lesson.txt")) {
        const QString path = dir.filePath(name);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("audio");
        f.close();
        engine.addTrack(path.toStdString(), "Lesson", totalSec);
        form.player().openTrack(path);
        ASSERT_EQ(engine.state, 1);
    }

    // Playback reaches a second and the status tick shows it on the bar.
    void playTo(int sec) {
        engine.position = sec;
        form.controls().Timer->tick();
        ASSERT_EQ(form.controls().scSeek->value(), sec);
    }

    void click(int index) {
        QTest::mouseClick(form.controls().xpcmdbutton1[index], Qt::LeftButton);
    }

    void pressAndRelease(int index, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(form.controls().Image3[index], button, {}, QPoint(4, 4));
        QTest::mouseRelease(form.controls().Image3[index], button, {}, QPoint(4, 4));
    }

    QString switchCaption() const { return form.controls().xpcmdbutton1[2]->caption(); }
    int seeks() const { return engine.count("seek"); }
};

} // namespace

TEST_F(Repeat, StartsOffWithTheDesignCaptions) {
    EXPECT_EQ(switchCaption(), kOff);
    EXPECT_EQ(form.controls().Label1[0]->caption(), QStringLiteral("复读起始："));
    EXPECT_EQ(form.controls().Label1[1]->caption(), QStringLiteral("复读结束："));
    EXPECT_FALSE(form.repeat().repeatStartSec());
    EXPECT_FALSE(form.repeat().repeatEndSec());
}

TEST_F(Repeat, ThePointButtonsTakeTheBarPositionAndNameIt) {
    open(100);
    playTo(37);
    click(0);
    playTo(52);
    click(1);
    EXPECT_EQ(form.repeat().repeatStartSec(), 37);
    EXPECT_EQ(form.repeat().repeatEndSec(), 52);
    EXPECT_EQ(form.controls().Label1[0]->caption(), QStringLiteral("复读起始位置：37"));
    EXPECT_EQ(form.controls().Label1[1]->caption(), QStringLiteral("复读结束位置：52"));
    EXPECT_EQ(switchCaption(), kOff); // setting points leaves the switch alone
    EXPECT_EQ(seeks(), 0);
}

TEST_F(Repeat, WithNoPointsSetTheFirstSecondLoops) {
    open(100);
    playTo(30);
    click(2);
    EXPECT_EQ(switchCaption(), kOn);
    EXPECT_EQ(engine.callsNamed("seek"), Calls{"seek 0"});
    EXPECT_EQ(form.controls().scSeek->value(), 0);
    form.controls().Timer1->tick(); // at 0: nothing to do
    EXPECT_EQ(seeks(), 1);
    for (int round = 0; round < 3; ++round) {
        playTo(1);
        form.controls().Timer1->tick();
        EXPECT_EQ(engine.position, 0);
        EXPECT_EQ(form.controls().scSeek->value(), 0);
    }
    EXPECT_EQ(seeks(), 4);
}

TEST_F(Repeat, OnlyBSetLoopsFromTheStartOfTheTrack) {
    open(100);
    playTo(20);
    click(1);
    click(2);
    EXPECT_EQ(engine.callsNamed("seek"), Calls{"seek 0"});
    playTo(20);
    form.controls().Timer1->tick();
    EXPECT_EQ(seeks(), 1); // B itself still plays
    playTo(21);
    form.controls().Timer1->tick();
    EXPECT_EQ(engine.callsNamed("seek"), (Calls{"seek 0", "seek 0"}));
}

TEST_F(Repeat, ALoopJumpsBackOnTheFirstCheckPastBAndANewBCountsAtTheNextCheck) {
    open(100);
    playTo(10);
    click(0);
    playTo(50);
    click(1);
    playTo(40);
    click(2); // A lies behind the position: a seek back to 10
    EXPECT_EQ(engine.callsNamed("seek"), Calls{"seek 10"});
    playTo(40);
    click(1); // B := 40 while on
    EXPECT_EQ(form.controls().Label1[1]->caption(), QStringLiteral("复读结束位置：40"));
    playTo(45); // under the old B this would play on
    engine.clearCalls();
    form.controls().Timer1->tick();
    EXPECT_EQ(engine.callsNamed("seek"), Calls{"seek 10"});
    EXPECT_EQ(form.controls().scSeek->value(), 10);
    // A new A is used at the next jump.
    playTo(20);
    click(0);
    playTo(41);
    form.controls().Timer1->tick();
    EXPECT_EQ(engine.position, 20);
}

TEST_F(Repeat, AEqualToBLoopsOverThatOneSecond) {
    open(100);
    playTo(30);
    click(0);
    click(1);
    click(2); // A is where the bar stands: nothing to seek
    EXPECT_EQ(seeks(), 0);
    for (int round = 0; round < 3; ++round) {
        form.controls().Timer1->tick();
        EXPECT_EQ(engine.position, 30);
        playTo(31);
        form.controls().Timer1->tick();
        EXPECT_EQ(engine.position, 30);
    }
    EXPECT_EQ(engine.callsNamed("seek"), (Calls{"seek 30", "seek 30", "seek 30"}));
}

TEST_F(Repeat, BSetBeforeALoopsTheSpanBetweenThem) {
    open(100);
    playTo(45);
    click(0);
    playTo(40);
    click(1);
    playTo(30);
    click(2); // the loop starts at the earlier point, B
    EXPECT_EQ(engine.callsNamed("seek"), Calls{"seek 40"});
    for (int round = 0; round < 3; ++round) {
        for (int sec = 41; sec <= 45; ++sec) {
            playTo(sec);
            form.controls().Timer1->tick(); // A, the later point, still plays
        }
        EXPECT_EQ(seeks(), 1 + round);
        playTo(46);
        form.controls().Timer1->tick();
        EXPECT_EQ(engine.position, 40);
        EXPECT_EQ(form.controls().scSeek->value(), 40);
    }
    // The labels still name each point as it was set.
    EXPECT_EQ(form.controls().Label1[0]->caption(), QStringLiteral("复读起始位置：45"));
    EXPECT_EQ(form.controls().Label1[1]->caption(), QStringLiteral("复读结束位置：40"));
}

TEST_F(Repeat, BSetBeforeAJustBehindThePositionStillJumpsBack) {
    open(100); // LargeChange 10
    playTo(42);
    click(0);
    playTo(40);
    click(1);
    playTo(41);
    click(2); // the loop's start, 40, lies behind: a seek
    EXPECT_EQ(engine.callsNamed("seek"), Calls{"seek 40"});
    playTo(42);
    form.controls().Timer1->tick();
    EXPECT_EQ(seeks(), 1);
    playTo(43);
    form.controls().Timer1->tick();
    EXPECT_EQ(engine.callsNamed("seek"), (Calls{"seek 40", "seek 40"}));
}

TEST_F(Repeat, OnAThreeSecondClipTheShortcutAndABRepeatJumpBack) {
    open(3);
    playTo(2);
    pressAndRelease(0); // the last 10 s: A 0, B 2
    EXPECT_EQ(switchCaption(), kOn);
    EXPECT_EQ(engine.callsNamed("seek"), Calls{"seek 0"});
    EXPECT_EQ(form.controls().scSeek->value(), 0);
    EXPECT_EQ(engine.state, 1);

    // A-B from 1 to 1: each pass beyond 1 goes back to 1.
    click(2);
    playTo(1);
    click(0);
    click(1);
    click(2);
    EXPECT_EQ(switchCaption(), kOn);
    engine.clearCalls();
    for (int round = 0; round < 3; ++round) {
        playTo(2);
        form.controls().Timer1->tick();
        EXPECT_EQ(engine.position, 1);
        EXPECT_EQ(form.controls().scSeek->value(), 1);
    }
    EXPECT_EQ(engine.callsNamed("seek"), (Calls{"seek 1", "seek 1", "seek 1"}));
}

TEST_F(Repeat, TheShortcutsMarkTheLastSecondsAndRepeatThem) {
    open(100);
    playTo(12);
    pressAndRelease(1); // 20 seconds, but only 12 have played
    EXPECT_EQ(form.repeat().repeatEndSec(), 12);
    EXPECT_EQ(form.repeat().repeatStartSec(), 0);
    EXPECT_EQ(form.controls().Label1[1]->caption(), QStringLiteral("复读结束位置：12"));
    EXPECT_EQ(form.controls().Label1[0]->caption(), QStringLiteral("复读起始位置：0"));
    EXPECT_EQ(switchCaption(), kOn);
    EXPECT_EQ(engine.callsNamed("seek"), Calls{"seek 0"});

    // Pressed again while on: stays on with the new points.
    playTo(9);
    playTo(37);
    pressAndRelease(0);
    EXPECT_EQ(form.repeat().repeatStartSec(), 27);
    EXPECT_EQ(form.repeat().repeatEndSec(), 37);
    EXPECT_EQ(switchCaption(), kOn);
    EXPECT_EQ(engine.position, 27);
    playTo(38);
    form.controls().Timer1->tick();
    EXPECT_EQ(engine.position, 27);
}

TEST_F(Repeat, ASecondClickSwitchesOffWithoutSeekingOrStopping) {
    open(100);
    playTo(10);
    click(0);
    playTo(15);
    click(1);
    playTo(30);
    click(2);
    playTo(12);
    engine.clearCalls();
    click(2);
    EXPECT_EQ(switchCaption(), kOff);
    EXPECT_EQ(engine.calls, Calls{});
    EXPECT_EQ(engine.state, 1);
    EXPECT_EQ(form.repeat().repeatStartSec(), 10);
    EXPECT_EQ(form.repeat().repeatEndSec(), 15);
    playTo(16);
    form.controls().Timer1->tick();
    EXPECT_EQ(seeks(), 0);
}

TEST_F(Repeat, PlayingSwitchesRepeatOffAndKeepsThePoints) {
    open(100);
    playTo(25);
    pressAndRelease(0);
    ASSERT_EQ(switchCaption(), kOn);
    engine.clearCalls();
    pressAndRelease(2);
    EXPECT_EQ(switchCaption(), kOff);
    EXPECT_EQ(engine.count("play"), 1);
    EXPECT_EQ(form.repeat().repeatStartSec(), 15);
    EXPECT_EQ(form.controls().Label1[0]->caption(), QStringLiteral("复读起始位置：15"));
    EXPECT_EQ(form.controls().Label1[1]->caption(), QStringLiteral("复读结束位置：25"));
    playTo(30);
    form.controls().Timer1->tick();
    EXPECT_EQ(seeks(), 0);
    // Opening a track plays it, which switches repeat off as well.
    click(2);
    ASSERT_EQ(switchCaption(), kOn);
    open(60, QStringLiteral("next.txt"));
    EXPECT_EQ(switchCaption(), kOff);
}

// The loop check keeps its enabled flag throughout but wakes the window only
// while repeat is on; on, the event loop alone makes the jump.
TEST_F(Repeat, TheLoopCheckWakesOnlyWhileRepeatIsOn) {
    const hearvex::controls::Timer* check = form.controls().Timer1;
    open(100);
    playTo(10);
    click(0);
    playTo(15);
    click(1);
    EXPECT_TRUE(check->enabled());
    EXPECT_FALSE(check->wakes());
    click(2);
    ASSERT_EQ(switchCaption(), kOn);
    EXPECT_TRUE(check->wakes());
    playTo(16);
    engine.clearCalls();
    QTest::qWait(300);
    EXPECT_GE(seeks(), 1);
    click(2);
    EXPECT_TRUE(check->enabled());
    EXPECT_FALSE(check->wakes());
}

TEST_F(Repeat, ThePauseButtonPausesAndResumesWithTheTimers) {
    open(100);
    playTo(8);
    engine.clearCalls();
    pressAndRelease(3);
    EXPECT_EQ(engine.calls, (Calls{"getState", "pause", "getState"}));
    EXPECT_EQ(engine.state, 2);
    EXPECT_FALSE(form.controls().Timer->enabled());
    EXPECT_FALSE(form.controls().TimeView->enabled());
    engine.clearCalls();
    pressAndRelease(3);
    EXPECT_EQ(engine.calls, (Calls{"getState", "restart", "getState"}));
    EXPECT_EQ(engine.state, 1);
    EXPECT_EQ(engine.position, 8);
    EXPECT_TRUE(form.controls().Timer->enabled());
    EXPECT_TRUE(form.controls().TimeView->enabled());
}

TEST_F(Repeat, ThePauseButtonIsHeldDownExactlyWhileTheTrackIsPaused) {
    open(100);
    playTo(8);
    EXPECT_EQ(form.controls().Image3[3]->borderStyle(), 0);
    pressAndRelease(3);
    EXPECT_EQ(form.controls().Image3[3]->borderStyle(), 1);
    pressAndRelease(2); // play resumes a paused track
    EXPECT_EQ(form.controls().Image3[3]->borderStyle(), 0);
    pressAndRelease(3);
    open(60, QStringLiteral("next.txt")); // a new lesson plays at once
    EXPECT_EQ(form.controls().Image3[3]->borderStyle(), 0);
}

TEST_F(Repeat, TheStripButtonsMoveOnePixelRightWhileHeld) {
    open(100);
    playTo(30);
    for (int i = 0; i < 4; ++i) {
        hearvex::controls::PictureButton* image = form.controls().Image3[i];
        const int rest = image->left();
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            QTest::mousePress(image, button, {}, QPoint(3, 3));
            EXPECT_EQ(image->left(), rest + 1) << i;
            QTest::mouseRelease(image, button, {}, QPoint(3, 3));
            EXPECT_EQ(image->left(), rest) << i;
        }
    }
    EXPECT_EQ(form.controls().Image3[0]->left(), 96);
    EXPECT_EQ(form.controls().Image3[3]->left(), 162);
}

TEST_F(Repeat, APointBeyondAShorterTrackIsSkippedWithoutHarm) {
    open(100);
    playTo(80);
    click(0);
    open(30, QStringLiteral("short.txt")); // the bar now ends at 30
    playTo(5);
    engine.clearCalls();
    click(2);
    EXPECT_EQ(switchCaption(), kOn); // the switch still turns on
    EXPECT_EQ(form.controls().scSeek->value(), 5);
    form.controls().Timer1->tick(); // past B (0), but A cannot go into the bar
    EXPECT_EQ(form.controls().scSeek->value(), 5);
    EXPECT_EQ(seeks(), 0);
    // The window goes on working: a new A in range loops as usual.
    playTo(3);
    click(0);
    playTo(6);
    form.controls().Timer1->tick();
    EXPECT_EQ(engine.position, 3);
}

TEST_F(Repeat, WithNoTrackTheLoopWorksOnTheBarAlone) {
    click(2);
    EXPECT_EQ(switchCaption(), kOn);
    form.controls().Timer1->tick();
    pressAndRelease(0);
    EXPECT_EQ(form.controls().Label1[0]->caption(), QStringLiteral("复读起始位置：0"));
    EXPECT_EQ(seeks(), 0);
}
