// The control layer's semantics that the program's handlers rely on.
#include "control_error.h"
#include "guard.h"
#include "label.h"
#include "picture_button.h"
#include "scroll_bar.h"
#include "support/wait_for.h"
#include "timer.h"
#include "twips.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

using namespace hearvex::controls;
using namespace hearvex::base;

TEST(ScrollBar, AssignmentRunsTheChangeHandlerBeforeReturning) {
    ScrollBar bar;
    bar.setMax(100);
    std::vector<int> seen;
    bool inside = false;
    bar.setChangeHandler([&] {
        inside = true;
        seen.push_back(bar.value());
    });
    bar.setValue(40);
    EXPECT_TRUE(inside);
    EXPECT_EQ(seen, std::vector<int>{40});
    bar.setValue(40); // no change, no event
    EXPECT_EQ(seen.size(), 1u);
}

TEST(ScrollBar, HandlerMayAssignAgainAndTheNestingEnds) {
    ScrollBar bar;
    bar.setMax(100);
    int calls = 0;
    bar.setChangeHandler([&] {
        ++calls;
        if (bar.value() == 50)
            bar.setValue(20); // as the status refresh does from inside the seek handler
    });
    bar.setValue(50);
    EXPECT_EQ(bar.value(), 20);
    EXPECT_EQ(calls, 2);
}

TEST(ScrollBar, ValueOutsideTheRangeFailsInsteadOfClamping) {
    ScrollBar bar;
    bar.setMin(0);
    bar.setMax(10);
    bar.setValue(5);
    int calls = 0;
    bar.setChangeHandler([&] { ++calls; });
    EXPECT_THROW(bar.setValue(11), ControlError);
    EXPECT_THROW(bar.setValue(-1), ControlError);
    EXPECT_EQ(bar.value(), 5);
    EXPECT_EQ(calls, 0);
    EXPECT_NO_THROW(bar.setValue(10));
    EXPECT_EQ(calls, 1);
}

TEST(ScrollBar, RejectsChangeStepsAndLimitsOutsideTheirRanges) {
    ScrollBar bar;
    EXPECT_THROW(bar.setLargeChange(0), ControlError);
    EXPECT_THROW(bar.setSmallChange(-3), ControlError);
    EXPECT_THROW(bar.setMax(40000), ControlError);
    bar.setLargeChange(7);
    EXPECT_EQ(bar.largeChange(), 7);
}

TEST(ScrollBar, AFailureInsideTheHandlerIsContained) {
    ScrollBar bar;
    bar.setMax(10);
    bar.setChangeHandler([] { throw std::runtime_error("handler failed"); });
    EXPECT_NO_THROW(bar.setValue(3));
    EXPECT_EQ(bar.value(), 3);
}

TEST(ScrollBar, ArrowClickMovesBySmallChange) {
    ScrollBar bar;
    bar.setMax(100);
    bar.resize(200, 16);
    bar.show();
    int changes = 0;
    bar.setChangeHandler([&] { ++changes; });
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar.value(), 1);
    EXPECT_EQ(changes, 1);
}

TEST(Timer, TicksOnlyWhileEnabledWithAnInterval) {
    Timer timer(nullptr, 0, true);
    int ticks = 0;
    timer.setTickHandler([&] { ++ticks; });
    QTest::qWait(30);
    EXPECT_EQ(ticks, 0); // interval 0 never ticks
    timer.setInterval(5);
    HEARVEX_WAIT_FOR_MS(ticks >= 2, 2000);
    timer.setEnabled(false);
    const int stopped = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, stopped);
}

TEST(Timer, ReEnablingARunningTimerKeepsItsRhythm) {
    // Handlers enable the view timer on every status tick; a restart each time
    // would keep it from ever firing.
    Timer timer(nullptr, 40, true);
    int ticks = 0;
    timer.setTickHandler([&] { ++ticks; });
    QTimer nagger;
    QObject::connect(&nagger, &QTimer::timeout, [&] { timer.setEnabled(true); });
    nagger.start(5);
    HEARVEX_WAIT_FOR_MS(ticks >= 2, 3000);
}

TEST(Timer, AFailingTickIsContained) {
    Timer timer;
    int after = 0;
    timer.setTickHandler([&] {
        ++after;
        throw std::logic_error("tick failed");
    });
    EXPECT_NO_THROW(timer.tick());
    EXPECT_NO_THROW(timer.tick());
    EXPECT_EQ(after, 2);
}

TEST(Guard, SkipOnErrorRunsEveryStep) {
    std::vector<int> ran;
    skipOnError([&] { ran.push_back(1); });
    skipOnError([&] { throw ControlError("step 2"); });
    skipOnError([&] { ran.push_back(3); });
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
}

TEST(Label, CaptionIsReadBackAndAutoSizeFollowsIt) {
    Label label(nullptr, QStringLiteral("复读起始："));
    label.setGeometry(0, 0, 60, 12);
    EXPECT_EQ(label.caption(), QStringLiteral("复读起始："));
    label.setAutoSize(true);
    label.setCaption(QStringLiteral("复读起始位置：37"));
    EXPECT_EQ(label.caption(), QStringLiteral("复读起始位置：37"));
    EXPECT_GT(label.width(), 60);
    EXPECT_EQ(label.height(), 12);
}

TEST(PictureButton, BorderStyleIsItsSwitchState) {
    PictureButton image;
    EXPECT_EQ(image.borderStyle(), 0);
    image.setBorderStyle(1);
    EXPECT_EQ(image.borderStyle(), 1);
    EXPECT_THROW(image.setBorderStyle(2), ControlError);
    EXPECT_EQ(image.borderStyle(), 1);
}

TEST(PictureButton, ReportsButtonCodesAndReleasesAwayFromIt) {
    QWidget panel;
    panel.resize(200, 200);
    auto* image = new PictureButton(&panel);
    image->setGeometry(10, 10, 30, 20);
    panel.show();
    std::vector<std::pair<char, int>> events;
    image->setMouseDownHandler([&](int button, int, int, int) { events.push_back({'d', button}); });
    image->setMouseUpHandler([&](int button, int, int, int) { events.push_back({'u', button}); });
    QTest::mousePress(image, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(image, Qt::RightButton, Qt::NoModifier, QPoint(150, 150));
    QTest::mouseClick(image, Qt::MiddleButton);
    const std::vector<std::pair<char, int>> expected = {
        {'d', kRightButton}, {'u', kRightButton}, {'d', kMiddleButton}, {'u', kMiddleButton}};
    EXPECT_EQ(events, expected);
}
