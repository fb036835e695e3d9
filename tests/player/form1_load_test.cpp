// The main window's load handler and status refresh against a scripted engine.
#include "form1.h"
#include "scripted_engine.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using hearvex::Form1;
using hearvex::testing::ScriptedEngine;
using Calls = std::vector<std::string>;

TEST(Form1Load, TalksToTheEngineInItsOrder) {
    ScriptedEngine engine;
    engine.volumeLeft = 30;
    engine.volumeRight = 60;
    Form1 form(engine);
    form.load();
    const Calls expected = {"init",
                            "getState",
                            "getWaveOutSupport",
                            "getVolume",
                            "setVolume 30 100",
                            "setVolume 30 60",
                            "setEqualizer 0",
                            "setKaraokeUse 1",
                            "useAtMarkTag 1",
                            "setLyricsNextAdjustTime 1000"};
    EXPECT_EQ(engine.calls, expected);
    EXPECT_EQ(form.controls().scLVol->value(), 30);
    EXPECT_EQ(form.controls().scRVol->value(), 60);
    EXPECT_TRUE(form.controls().scLVol->isEnabled());
}

TEST(Form1Load, EngineVolumeAtFullSendsNothingBack) {
    ScriptedEngine engine;
    Form1 form(engine);
    form.load();
    EXPECT_EQ(engine.count("setVolume"), 0);
    EXPECT_EQ(form.controls().scLVol->value(), 100);
}

TEST(Form1Load, DeviceWithoutVolumeLeavesBarsDisabledButShowingTheVolume) {
    ScriptedEngine engine;
    engine.waveOutSupport = 0;
    engine.volumeLeft = 20;
    engine.volumeRight = 80;
    Form1 form(engine);
    form.load();
    EXPECT_FALSE(form.controls().scLVol->isEnabled());
    EXPECT_FALSE(form.controls().scRVol->isEnabled());
    EXPECT_EQ(form.controls().scLVol->value(), 20);
    EXPECT_EQ(form.controls().scRVol->value(), 80);
}

TEST(Form1Load, VolumeOutsideTheBarsRangeLeavesThatBarAtItsDesignValue) {
    ScriptedEngine engine;
    engine.volumeLeft = 150;
    engine.volumeRight = -4;
    Form1 form(engine);
    form.load();
    EXPECT_EQ(form.controls().scLVol->value(), 100);
    EXPECT_EQ(form.controls().scRVol->value(), 100);
    // The load carried on past the failing steps.
    EXPECT_EQ(engine.count("setLyricsNextAdjustTime"), 1);
}

TEST(Form1Load, LeavesThePlayerIdleWithTheViewRunning) {
    ScriptedEngine engine;
    Form1 form(engine);
    form.load();
    EXPECT_FALSE(form.controls().Timer->enabled());
    EXPECT_EQ(form.controls().Timer->interval(), 100);
    EXPECT_TRUE(form.controls().TimeView->enabled());
    EXPECT_EQ(form.controls().TimeView->interval(), 100);
    EXPECT_TRUE(form.controls().Timer1->enabled());
    EXPECT_EQ(form.controls().Timer1->interval(), 50);
    EXPECT_TRUE(form.controls().lbPlayTime->caption().isEmpty());
    EXPECT_TRUE(form.controls().lbTotalSec->caption().isEmpty());
    EXPECT_TRUE(form.controls().lbTrackName->caption().isEmpty());
    EXPECT_EQ(form.controls().scSeek->max(), 0);
    EXPECT_EQ(form.controls().scSeek->largeChange(), 1);
    EXPECT_EQ(form.controls().xpcmdbutton1[2]->caption(), QStringLiteral("开始复读"));
    EXPECT_TRUE(form.player().notPlayedYet());
    EXPECT_EQ(form.waveView().viewMode(), 2);
}

TEST(Form1Load, MovingThePositionBarBeforeAnyTrackSeeksNothing) {
    ScriptedEngine engine;
    Form1 form(engine);
    form.load();
    engine.clearCalls();
    EXPECT_ANY_THROW(form.controls().scSeek->setValue(5)); // Max is 0
    form.controls().scSeek->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(engine.count("seek"), 0);
}

TEST(GetState, PlayTimeStaysEmptyUntilATrackWasOpened) {
    ScriptedEngine engine;
    Form1 form(engine);
    form.load();
    engine.position = 0;
    form.player().getState();
    EXPECT_TRUE(form.controls().lbPlayTime->caption().isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("audio");
    file.close();
    engine.addTrack(path.toStdString(), "Lesson", 100);
    form.player().openTrack(path);
    engine.state = 1;
    engine.position = 75;
    EXPECT_EQ(form.player().getState(), 1);
    EXPECT_EQ(form.controls().lbPlayTime->caption(), QStringLiteral("01:15"));
    EXPECT_EQ(form.controls().scSeek->value(), 75);
    EXPECT_EQ(form.player().lastPosSec(), 75);
}

TEST(GetState, StoppedStateTurnsTheStatusTickOffAndTheViewOn) {
    ScriptedEngine engine;
    Form1 form(engine);
    form.load();
    form.controls().Timer->setEnabled(true);
    form.controls().TimeView->setEnabled(false);
    engine.state = 0;
    EXPECT_EQ(form.player().getState(), 0);
    EXPECT_FALSE(form.controls().Timer->enabled());
    EXPECT_TRUE(form.controls().TimeView->enabled());

    engine.state = 2; // paused: the timers are the pause button's business
    form.controls().TimeView->setEnabled(false);
    EXPECT_EQ(form.player().getState(), 2);
    EXPECT_FALSE(form.controls().TimeView->enabled());
}
