// Opening a track, transport, seeking with the position bar and the volumes,
// on the real main window with a scripted engine.
#include "form1.h"
#include "player_rules.h"
#include "scripted_engine.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using hearvex::Form1;
namespace player = hearvex::player;
using hearvex::testing::ScriptedEngine;
using Calls = std::vector<std::string>;

namespace {

class Transport : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedEngine engine;
    Form1 form{engine};
    std::vector<QString> messages;

    void SetUp() override {
        form.player().setMessageHandler([this](const QString& m) { messages.push_back(m); });
        form.load();
        engine.clearCalls();
    }

    // A file that exists, known to the engine as a track of the given length.
    QString track(const QString& name, int totalSec, const std::string& title = "Lesson") {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("audio");
        f.close();
        engine.addTrack(path.toStdString(), title, totalSec);
        return path;
    }

    void open(const QString& path) { form.player().openTrack(path); }
};

} // namespace

TEST_F(Transport, OpeningShowsTheTrackScalesTheBarAndPlays) {
    open(track("unit1.txt", 100, "第一课 Greetings"));
    const Calls expected = {"stop",     "open " + dir.filePath("unit1.txt").toStdString(),
                            "getState", "getState",
                            "play",     "setVolume 100 100",
                            "getState"};
    EXPECT_EQ(engine.calls, expected);
    EXPECT_EQ(form.controls().lbTrackName->caption(), QStringLiteral("第一课 Greetings"));
    EXPECT_EQ(form.controls().lbTotalSec->caption(), QStringLiteral("01:40"));
    EXPECT_EQ(form.controls().lbPlayTime->caption(), QStringLiteral("00:00"));
    EXPECT_EQ(form.controls().scSeek->max(), 100);
    EXPECT_EQ(form.controls().scSeek->largeChange(), 10);
    EXPECT_TRUE(form.controls().Timer->enabled());
    EXPECT_TRUE(form.controls().TimeView->enabled());
    EXPECT_FALSE(form.player().notPlayedYet());
}

TEST_F(Transport, AMissingFileDoesNothingAtAll) {
    form.player().openTrack(dir.filePath("absent.mp3"));
    form.player().openTrack(dir.path()); // a folder is not a file either
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(Transport, OuterSpacesPassTheTestUntrimmedAndOpenTrimmed) {
    const QString spaced = track(" spaced.mp3 ", 20);
    // The file whose name really has the spaces passes the existence test...
    engine.addTrack(dir.filePath(" spaced.mp3").toStdString(), "trimmed", 20);
    open(spaced);
    // ...and is opened under the path without its outer spaces.
    EXPECT_EQ(engine.openedPath, dir.filePath(" spaced.mp3").toStdString());
    open(QStringLiteral("   ") + dir.filePath("nothing-here.mp3"));
    EXPECT_EQ(engine.count("open"), 1);
}

TEST_F(Transport, ARefusedFileShowsTheErrorOverAWindowWithNothingOpen) {
    open(track("good.txt", 35, "Good"));
    engine.position = 20;
    form.controls().Timer->tick();
    const QString bad = dir.filePath("bad.txt");
    QFile f(bad);
    f.open(QIODevice::WriteOnly);
    f.write("not audio");
    f.close();
    engine.refusalErrorNo = 4;
    engine.clearCalls();
    // What stands behind the message: the engine closed the old track, so no
    // name, no times and an empty bar.
    QStringList behindMessage;
    form.player().setMessageHandler([&](const QString& m) {
        messages.push_back(m);
        behindMessage << form.controls().lbTrackName->caption()
                      << form.controls().lbTotalSec->caption()
                      << form.controls().lbPlayTime->caption();
    });
    open(bad);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("ErrNo : 4 Open Error"));
    EXPECT_EQ(behindMessage, QStringList({"", "", ""}));
    EXPECT_EQ(form.controls().scSeek->max(), 0);
    EXPECT_EQ(form.controls().scSeek->value(), 0);
    EXPECT_EQ(form.controls().scSeek->largeChange(), 1);
    EXPECT_FALSE(form.controls().Timer->enabled());
    EXPECT_TRUE(form.controls().TimeView->enabled());
    // Clearing the bar is not taken for a seek.
    EXPECT_EQ(engine.calls, (Calls{"stop", "open " + bad.toStdString(), "getLastErrorNo"}));

    // Play has nothing to play, and the window does not pretend otherwise.
    form.player().playFromStart();
    EXPECT_EQ(engine.count("play"), 0);
    form.player().playOrResume();
    form.controls().Timer->tick();
    EXPECT_EQ(form.controls().lbPlayTime->caption(), QString());
    EXPECT_EQ(form.controls().scSeek->value(), 0);
    EXPECT_FALSE(form.controls().Timer->enabled());
}

TEST_F(Transport, BarMovesWithinTheToleranceAreNotSought) {
    open(track("t.txt", 100));
    engine.position = 40;
    form.controls().Timer->tick();
    EXPECT_EQ(form.controls().scSeek->value(), 40);
    engine.clearCalls();

    form.controls().scSeek->setValue(45);
    EXPECT_EQ(engine.count("seek"), 0);
    EXPECT_EQ(form.controls().scSeek->value(),
              40); // the refresh puts the bar back to the engine's position

    form.controls().scSeek->setValue(50);
    EXPECT_EQ(engine.callsNamed("seek"), Calls{"seek 50"});
    EXPECT_EQ(form.controls().scSeek->value(), 50);
    EXPECT_EQ(form.controls().lbPlayTime->caption(), QStringLiteral("00:50"));

    form.controls().scSeek->setValue(39);
    EXPECT_EQ(engine.callsNamed("seek"), (Calls{"seek 50", "seek 39"}));
    EXPECT_TRUE(form.controls().Timer->enabled());
}

TEST_F(Transport, OnAShortTrackTheRefreshIsProgressAndEveryOtherChangeASeek) {
    open(track("clip.txt", 3));
    EXPECT_EQ(form.controls().scSeek->largeChange(), 1);
    engine.position = 1;
    form.controls().Timer->tick();
    engine.position = 2;
    form.controls().Timer->tick();
    EXPECT_EQ(form.controls().scSeek->value(), 2);
    EXPECT_EQ(engine.count("seek"), 0); // the bar's own progress

    form.controls().scSeek->setValue(0); // back, as the repeat's jump to A does
    EXPECT_EQ(engine.callsNamed("seek"), Calls{"seek 0"});
    EXPECT_EQ(form.controls().lbPlayTime->caption(), QStringLiteral("00:00"));
    form.controls().scSeek->setValue(1); // one step ahead: on a long track this is progress
    EXPECT_EQ(engine.callsNamed("seek"), (Calls{"seek 0", "seek 1"}));
    EXPECT_EQ(engine.position, 1);
    EXPECT_TRUE(form.controls().Timer->enabled());
}

TEST_F(Transport, TheStatusTickStopsByItselfAtTheEnd) {
    open(track("t.txt", 60));
    engine.position = 59;
    form.controls().Timer->tick();
    EXPECT_EQ(form.controls().lbPlayTime->caption(), QStringLiteral("00:59"));
    engine.state = 0; // the engine reached the end
    engine.position = 0;
    form.controls().Timer->tick();
    // The bar's fall to 0 counts as progress, whose handler turns the tick on
    // once more; the next tick sees the stopped engine and stays off.
    form.controls().Timer->tick();
    EXPECT_FALSE(form.controls().Timer->enabled());
    form.controls().Timer->tick();
    EXPECT_FALSE(form.controls().Timer->enabled());
    EXPECT_TRUE(form.controls().TimeView->enabled());
    EXPECT_EQ(form.controls().scSeek->value(), 0);
    EXPECT_EQ(form.controls().lbPlayTime->caption(), QStringLiteral("00:00"));
}

TEST_F(Transport, PlayAfterTheEndStartsFromTheBeginningAndPausedResumes) {
    open(track("t.txt", 60));
    engine.state = 0;
    engine.clearCalls();
    form.player().playOrResume();
    EXPECT_EQ(engine.count("play"), 1);
    EXPECT_EQ(engine.count("restart"), 0);

    engine.position = 30;
    engine.pause();
    engine.clearCalls();
    form.player().playOrResume();
    EXPECT_EQ(engine.count("restart"), 1);
    EXPECT_EQ(engine.count("play"), 0);
    EXPECT_EQ(engine.state, 1);
    EXPECT_EQ(form.controls().scSeek->value(), 30);
}

TEST_F(Transport, PlayResetsTheViewAndSwitchesRepeatOff) {
    open(track("t.txt", 60));
    form.controls().xpcmdbutton1[2]->setCaption(QStringLiteral("停止复读"));
    form.controls().picWave->move(7, 0);
    form.player().playOrResume();
    EXPECT_EQ(form.controls().xpcmdbutton1[2]->caption(), QStringLiteral("开始复读"));
    EXPECT_EQ(form.controls().picWave->x(), 0);
    EXPECT_EQ(form.controls().lineCenter->x1(), -120);
    EXPECT_EQ(form.controls().lineCenter->x2(), 1560);
}

TEST_F(Transport, EitherVolumeBarSendsBothChannels) {
    open(track("t.txt", 60));
    engine.clearCalls();
    form.controls().scLVol->setValue(40);
    form.controls().scRVol->setValue(70);
    EXPECT_EQ(engine.calls, (Calls{"setVolume 40 100", "setVolume 40 70"}));
    engine.clearCalls();
    form.player().playOrResume();
    EXPECT_EQ(engine.callsNamed("setVolume"), Calls{"setVolume 40 70"});
}

TEST_F(Transport, ATrackLongerThanTheBarKeepsPlayingAndCounting) {
    open(track("long.txt", 40000));
    EXPECT_EQ(form.controls().scSeek->max(), 32767);
    EXPECT_EQ(form.controls().lbTotalSec->caption(), QStringLiteral("666:40"));
    engine.position = 35000;
    const int asked = engine.count("getState");
    form.controls().Timer->tick();
    EXPECT_GT(engine.count("getState"), asked);        // the tick reached the engine
    EXPECT_EQ(form.controls().scSeek->value(), 32767); // held at the bar's end
    EXPECT_EQ(form.controls().lbPlayTime->caption(), QStringLiteral("583:20"));
    EXPECT_EQ(engine.count("seek"), 0); // the held bar is not mistaken for a user seek
    engine.position = 35001;
    form.controls().Timer->tick();
    EXPECT_EQ(form.controls().lbPlayTime->caption(), QStringLiteral("583:21"));
    EXPECT_TRUE(form.controls().Timer->enabled());
}

TEST_F(Transport, APositionBeyondTheBarIsHeldAtItsEnd) {
    open(track("t.txt", 30));
    engine.position = 31; // an engine reporting past the track's end
    form.controls().Timer->tick();
    EXPECT_EQ(form.controls().scSeek->value(), 30);
    EXPECT_EQ(form.controls().lbPlayTime->caption(), QStringLiteral("00:31"));
    engine.position = -2;
    form.controls().Timer->tick();
    EXPECT_EQ(form.controls().scSeek->value(), 0);
    EXPECT_TRUE(form.controls().Timer->enabled()); // still playing: the refresh goes on
}

TEST_F(Transport, SeekingWhileStoppedMovesOnlyTheBar) {
    open(track("t.txt", 100));
    engine.stop();
    form.controls().Timer->tick(); // sees state 0
    engine.clearCalls();
    form.controls().scSeek->setValue(60);
    EXPECT_EQ(engine.calls, (Calls{"seek 60", "getState"}));
    EXPECT_FALSE(form.controls().Timer->enabled());
}

namespace {
// Where the thumb of a bar is drawn, by the bar's own style.
QRect thumbRect(const QScrollBar& bar) {
    QStyleOptionSlider opt;
    opt.initFrom(&bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = bar.orientation();
    opt.minimum = bar.minimum();
    opt.maximum = bar.maximum();
    opt.sliderPosition = bar.sliderPosition();
    opt.sliderValue = bar.value();
    opt.singleStep = bar.singleStep();
    opt.pageStep = bar.pageStep();
    opt.state |= QStyle::State_Horizontal;
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider,
                                       &bar);
}

void sendMouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, to->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}
} // namespace

TEST_F(Transport, WhileTheThumbIsHeldTheRefreshLeavesTheBarAndTheReleaseSeeks) {
    form.show();
    for (const int totalSec : {100, 3}) {
        SCOPED_TRACE(totalSec);
        open(track(QStringLiteral("t%1.txt").arg(totalSec), totalSec));
        engine.position = 1;
        form.controls().Timer->tick();
        engine.clearCalls();
        const int target = totalSec == 100 ? 6 : 2; // ahead by less than the tolerance
        const QRect thumb = thumbRect(*form.controls().scSeek);
        const QPoint grip = thumb.center();
        sendMouse(form.controls().scSeek, QEvent::MouseButtonPress, grip, Qt::LeftButton);
        ASSERT_TRUE(form.controls().scSeek->isSliderDown());
        // Drag until the thumb stands at the target.
        QPoint at = grip;
        while (form.controls().scSeek->sliderPosition() < target &&
               at.x() < form.controls().scSeek->width()) {
            at.rx() += 1;
            sendMouse(form.controls().scSeek, QEvent::MouseMove, at, Qt::LeftButton);
        }
        ASSERT_EQ(form.controls().scSeek->sliderPosition(), target);
        // Playback goes on under the held thumb: the time text follows it, the bar does not.
        engine.position = totalSec == 100 ? 3 : 0;
        form.controls().Timer->tick();
        EXPECT_EQ(form.controls().scSeek->sliderPosition(), target);
        EXPECT_EQ(form.controls().lbPlayTime->caption(), player::timeText(engine.position));
        EXPECT_EQ(engine.count("seek"), 0);

        sendMouse(form.controls().scSeek, QEvent::MouseButtonRelease, at, Qt::NoButton);
        EXPECT_EQ(engine.callsNamed("seek"), Calls{"seek " + std::to_string(target)});
        EXPECT_EQ(form.controls().scSeek->value(), target);
        EXPECT_EQ(form.controls().lbPlayTime->caption(), player::timeText(target));
    }
}

TEST_F(Transport, PlayingWithoutASoundDeviceIsSaidBesideTheTimeAndTheNameStays) {
    open(track("t.txt", 30));
    const QString name = form.controls().lbTrackName->caption();
    engine.outputState = VBMP3_OUTPUT_SILENT;
    form.controls().Timer->tick();
    EXPECT_EQ(form.controls().lbOutput->caption(), QStringLiteral("无声音设备"));
    EXPECT_EQ(form.controls().lbTrackName->caption(), name);
    engine.outputState = VBMP3_OUTPUT_DEVICE; // the device is back
    form.controls().Timer->tick();
    EXPECT_EQ(form.controls().lbOutput->caption(), QString());
    engine.outputState = VBMP3_OUTPUT_SILENT;
    engine.state = 0; // the track ended: nothing plays, nothing to say
    form.controls().Timer->tick();
    EXPECT_EQ(form.controls().lbOutput->caption(), QString());
}
