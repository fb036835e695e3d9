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
    EXPECT_EQ(form.scLVol->value(), 30);
    EXPECT_EQ(form.scRVol->value(), 60);
    EXPECT_TRUE(form.scLVol->isEnabled());
}

TEST(Form1Load, EngineVolumeAtFullSendsNothingBack) {
    ScriptedEngine engine;
    Form1 form(engine);
    form.load();
    EXPECT_EQ(engine.count("setVolume"), 0);
    EXPECT_EQ(form.scLVol->value(), 100);
}

TEST(Form1Load, DeviceWithoutVolumeLeavesBarsDisabledButShowingTheVolume) {
    ScriptedEngine engine;
    engine.waveOutSupport = 0;
    engine.volumeLeft = 20;
    engine.volumeRight = 80;
    Form1 form(engine);
    form.load();
    EXPECT_FALSE(form.scLVol->isEnabled());
    EXPECT_FALSE(form.scRVol->isEnabled());
    EXPECT_EQ(form.scLVol->value(), 20);
    EXPECT_EQ(form.scRVol->value(), 80);
}

TEST(Form1Load, VolumeOutsideTheBarsRangeLeavesThatBarAtItsDesignValue) {
    ScriptedEngine engine;
    engine.volumeLeft = 150;
    engine.volumeRight = -4;
    Form1 form(engine);
    form.load();
    EXPECT_EQ(form.scLVol->value(), 100);
    EXPECT_EQ(form.scRVol->value(), 100);
    // The load carried on past the failing steps.
    EXPECT_EQ(engine.count("setLyricsNextAdjustTime"), 1);
}

TEST(Form1Load, LeavesThePlayerIdleWithTheViewRunning) {
    ScriptedEngine engine;
    Form1 form(engine);
    form.load();
    EXPECT_FALSE(form.Timer->enabled());
    EXPECT_EQ(form.Timer->interval(), 100);
    EXPECT_TRUE(form.TimeView->enabled());
    EXPECT_EQ(form.TimeView->interval(), 100);
    EXPECT_TRUE(form.Timer1->enabled());
    EXPECT_EQ(form.Timer1->interval(), 50);
    EXPECT_TRUE(form.lbPlayTime->caption().isEmpty());
    EXPECT_TRUE(form.lbTotalSec->caption().isEmpty());
    EXPECT_TRUE(form.lbTrackName->caption().isEmpty());
    EXPECT_EQ(form.scSeek->max(), 0);
    EXPECT_EQ(form.scSeek->largeChange(), 1);
    EXPECT_EQ(form.xpcmdbutton1[2]->caption(), QStringLiteral("开始复读"));
    EXPECT_TRUE(form.player().notPlayedYet());
    EXPECT_EQ(form.waveView().viewMode(), 2);
}

TEST(Form1Load, MovingThePositionBarBeforeAnyTrackSeeksNothing) {
    ScriptedEngine engine;
    Form1 form(engine);
    form.load();
    engine.clearCalls();
    EXPECT_ANY_THROW(form.scSeek->setValue(5)); // Max is 0
    form.scSeek->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(engine.count("seek"), 0);
}

TEST(GetState, PlayTimeStaysEmptyUntilATrackWasOpened) {
    ScriptedEngine engine;
    Form1 form(engine);
    form.load();
    engine.position = 0;
    form.getState();
    EXPECT_TRUE(form.lbPlayTime->caption().isEmpty());

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
    EXPECT_EQ(form.getState(), 1);
    EXPECT_EQ(form.lbPlayTime->caption(), QStringLiteral("01:15"));
    EXPECT_EQ(form.scSeek->value(), 75);
    EXPECT_EQ(form.player().lastPosSec(), 75);
}

TEST(GetState, StoppedStateTurnsTheStatusTickOffAndTheViewOn) {
    ScriptedEngine engine;
    Form1 form(engine);
    form.load();
    form.Timer->setEnabled(true);
    form.TimeView->setEnabled(false);
    engine.state = 0;
    EXPECT_EQ(form.getState(), 0);
    EXPECT_FALSE(form.Timer->enabled());
    EXPECT_TRUE(form.TimeView->enabled());

    engine.state = 2; // paused: the timers are the pause button's business
    form.TimeView->setEnabled(false);
    EXPECT_EQ(form.getState(), 2);
    EXPECT_FALSE(form.TimeView->enabled());
}
