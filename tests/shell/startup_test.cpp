// The start-up sequence: the splash, then the main window centred with the
// lesson library docked at its right edge and the first lesson selected.
#include "lesson_list.h"
#include "lessons/lesson_files.h"
#include "practice_record.h"
#include "rich_text_box.h"
#include "scripted_engine.h"
#include "startup.h"
#include "support/wait_for.h"
#include "translations.h"
#include "twips.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using hearvex::Form4;
using hearvex::Startup;
using hearvex::base::twipsRect;
using hearvex::testing::ScriptedEngine;

namespace {
// Out of line: inlined into the tests, QWidget's accessors trip a false
// null-dereference warning of the compiler.
[[gnu::noinline]] bool shown(const QWidget* widget) {
    return widget->isVisible();
}

template <typename T> T& existing(T* object) {
    if (!object)
        throw std::runtime_error("expected an object");
    return *object;
}
} // namespace

TEST(Splash, IsBlackWithItsFrameIconAndCaptionsInPlace) {
    Form4 splash;
    EXPECT_EQ(splash.objectName(), QStringLiteral("Form4"));
    EXPECT_EQ(splash.size(), QSize(382, 255)); // 5730 x 3825 twips
    EXPECT_EQ(splash.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(splash.windowType(), Qt::SplashScreen); // no taskbar entry
    EXPECT_EQ(splash.controls().Frame1->geometry(), twipsRect(110, 0, 5535, 3735));
    EXPECT_EQ(splash.controls().Image1->geometry(), twipsRect(240, 480, 480, 480));
    EXPECT_EQ(splash.controls().Image1->picture().size(), QSize(32, 32));
    EXPECT_EQ(splash.controls().Label1->geometry(), twipsRect(720, 1320, 3975, 855));
    EXPECT_EQ(splash.controls().Label2->geometry(), twipsRect(2280, 2160, 2655, 495));
    EXPECT_EQ(splash.controls().Label3->geometry(), twipsRect(4200, 3360, 1215, 375));
    EXPECT_EQ(splash.controls().Label2->caption(), QStringLiteral("——Hearvex"));
    EXPECT_FALSE(splash.controls().Label1->caption().isEmpty());
    EXPECT_FALSE(splash.controls().Label3->caption().isEmpty());
    EXPECT_EQ(splash.controls().Label1->font().pixelSize(), 35);
    EXPECT_TRUE(splash.controls().Label1->font().bold());
    EXPECT_EQ(splash.controls().Label2->font().pixelSize(), 19);
    EXPECT_TRUE(splash.controls().Label2->font().bold());
    EXPECT_EQ(splash.controls().Timer1->interval(), 1000);
    EXPECT_FALSE(splash.controls().Timer1->enabled());
    // The captions fit their labels.
    for (hearvex::controls::Label* label :
         {splash.controls().Label1, splash.controls().Label2, splash.controls().Label3})
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->caption()), label->width())
            << label->caption().toStdString();
}

TEST(Startup, TheSplashsTickBringsUpTheMainWindowAndTheDockedLibrary) {
    QTemporaryDir dir;
    const QString lessons = hearvex::lessons::lessonFolder(dir.path());
    QDir().mkpath(lessons);
    hearvex::testing::writeBytes(lessons + "/a.txt", "x");
    hearvex::testing::writeBytes(lessons + "/b.txt", "x");

    ScriptedEngine engine;
    Startup startup(engine, dir.path());
    startup.begin();
    ASSERT_NE(startup.splash(), nullptr);
    Form4& splash = existing(startup.splash());
    const QPointer<Form4> watch(&splash);
    EXPECT_TRUE(shown(&splash));
    EXPECT_TRUE(splash.controls().Timer1->enabled());
    EXPECT_EQ(startup.form1(), nullptr);
    EXPECT_TRUE(engine.calls.empty());

    splash.controls().Timer1->tick();

    ASSERT_NE(startup.form1(), nullptr);
    hearvex::Form1* form1 = &existing(startup.form1());
    EXPECT_TRUE(shown(form1));
    EXPECT_EQ(engine.count("init"), 1); // the load handler ran
    EXPECT_EQ(form1->programDir(), dir.path());
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(form1->pos(), hearvex::centredTopLeft(screen));

    hearvex::lessons::Form3& form3 = form1->form3();
    EXPECT_TRUE(shown(&form3));
    EXPECT_EQ(form3.frameGeometry().topLeft(), hearvex::dockedTopLeft(form1->frameGeometry()));
    EXPECT_EQ(form3.controls().File1->listCount(), 2);
    EXPECT_EQ(form3.controls().File1->listIndex(), 0); // selected, not started
    EXPECT_EQ(engine.count("open"), 0);
    EXPECT_EQ(form1->lessonState().curLesson, 1);

    EXPECT_FALSE(splash.controls().Timer1->enabled());
    HEARVEX_WAIT_FOR(watch.isNull());
    EXPECT_EQ(startup.splash(), nullptr);
}

// Where the platform cannot place windows (Wayland), one window holds both:
// the main window at its top left, unchanged, the library against its right
// edge; they move together, and the pair narrows while the library is hidden.
TEST(Startup, WhereWindowsCannotBePlacedOneWindowHoldsTheMainWindowAndTheLibrary) {
    QTemporaryDir dir;
    const QString lessons = hearvex::lessons::lessonFolder(dir.path());
    QDir().mkpath(lessons);
    for (const char* name : {"/a.txt", "/b.txt"}) {
        hearvex::testing::writeBytes(lessons + name, "x");
        hearvex::testing::writeLessonText(QString(lessons + name).replace(".txt", ".kvx"),
                                          QStringLiteral("A b."));
    }
    ScriptedEngine engine;
    engine.addTrack((lessons + "/a.txt").toStdString(), "a", 30);
    {
        Startup startup(engine, dir.path());
        startup.setPlacesWindows(false);
        startup.begin();
        existing(startup.splash()).controls().Timer1->tick();
        hearvex::Form1& form1 = existing(startup.form1());
        hearvex::lessons::Form3& form3 = form1.form3();
        hearvex::DockedPair& pair = existing(startup.dockedPair());

        EXPECT_TRUE(pair.isWindow());
        EXPECT_TRUE(shown(&pair));
        EXPECT_EQ(form1.window(), &pair);
        EXPECT_EQ(form3.window(), &pair);
        EXPECT_EQ(pair.windowTitle(), QStringLiteral("Hearvex"));
        EXPECT_EQ(form1.geometry(), QRect(0, 0, 640, 480)); // the client area as designed
        EXPECT_EQ(form3.geometry(), QRect(640, 0, 152, 480));
        EXPECT_EQ(pair.size(), QSize(792, 480));
        EXPECT_EQ(form1.controls().Image2[1]->mapTo(&form1, QPoint()),
                  form1.controls().Image2[1]->mapTo(&pair, QPoint()));
        EXPECT_EQ(form3.controls().File1->listIndex(), 0);

        // Dragging the main window's title strip moves the pair, not the main window in it.
        const QPoint before = pair.pos();
        QTest::mousePress(&form1, Qt::LeftButton, {}, QPoint(300, 20));
        QMouseEvent drag(QEvent::MouseMove, QPointF(340, 50),
                         QPointF(form1.mapToGlobal(QPoint(340, 50))), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&form1, &drag);
        QTest::mouseRelease(&form1, Qt::LeftButton, {}, QPoint(340, 50));
        EXPECT_EQ(form1.pos(), QPoint(0, 0));
        EXPECT_EQ(form3.pos(), QPoint(640, 0));
        EXPECT_NE(pair.pos(), before);

        // 关闭 narrows the pair; the cassette button widens it again.
        QTest::mouseClick(form3.controls().Image2, Qt::LeftButton);
        EXPECT_FALSE(shown(&form3));
        EXPECT_EQ(pair.size(), QSize(640, 480));
        form1.toolbar().showLibrary();
        EXPECT_TRUE(shown(&form3));
        EXPECT_EQ(pair.size(), QSize(792, 480));
        EXPECT_EQ(form3.pos(), QPoint(640, 0));

        // The keys reach the library held beside the main window.
        form3.controls().File1->setFocus();
        QTest::keyClick(form3.controls().File1, Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(engine.callsNamed("open"),
                  std::vector<std::string>{"open " + (lessons + "/a.txt").toStdString()});
    }
    // The pair gives both windows back before they go: nothing is deleted twice.
}

TEST(Startup, TheSplashTimerStartsByItselfOnceTheSplashIsUp) {
    QTemporaryDir dir;
    ScriptedEngine engine;
    Startup startup(engine, dir.path());
    startup.begin();
    HEARVEX_WAIT_FOR_MS(startup.form1() != nullptr, 10000);
    hearvex::Form1& form1 = existing(startup.form1());
    EXPECT_TRUE(shown(&form1));
    EXPECT_EQ(form1.form3().controls().File1->listCount(), 0); // no lesson folder: an empty list
    HEARVEX_WAIT_FOR(startup.splash() == nullptr);
}

TEST(Startup, ARecordingNamedAtStartOpensAndPlaysOnceTheWindowIsUp) {
    QTemporaryDir dir;
    const QString recording = dir.filePath(QStringLiteral("talk.mp3"));
    hearvex::testing::writeBytes(recording, "x");
    ScriptedEngine engine;
    engine.addTrack(recording.toStdString(), "Talk", 30);
    Startup startup(engine, dir.path());
    startup.setRecordingToOpen(recording);
    startup.begin();
    existing(startup.splash()).controls().Timer1->tick();
    EXPECT_EQ(engine.callsNamed("open"),
              std::vector<std::string>{"open " + recording.toStdString()});
    EXPECT_EQ(engine.count("play"), 1);
    EXPECT_EQ(existing(startup.form1()).controls().txtFile->text(), recording);
}

TEST(QtInChinese, TheBoxesMenusAndTheMessageBoxButtonReadChineseOnAnyDesktop) {
    // The tests run in the C locale: the catalogue must load all the same.
    ASSERT_TRUE(hearvex::installQtChinese(*QCoreApplication::instance()));

    hearvex::controls::RichTextBox box;
    box.setText(QStringLiteral("Listen."));
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList commands;
    for (const QAction* action : menu->actions())
        commands << action->text().section(QLatin1Char('\t'), 0, 0);
    EXPECT_TRUE(commands.contains(QStringLiteral("复制(&C)"))) << commands.join(' ').toStdString();
    EXPECT_TRUE(commands.contains(QStringLiteral("全选"))) << commands.join(' ').toStdString();

    QMessageBox message(QMessageBox::NoIcon, QStringLiteral("Hearvex"), QStringLiteral("ErrNo : 2"),
                        QMessageBox::Ok);
    EXPECT_EQ(message.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
}

TEST(QtInChinese, WhatTheImportAndTheRecordReportReadsChineseInTheProgram) {
    ASSERT_TRUE(hearvex::installMessagesInChinese(*QCoreApplication::instance()));

    // A record that cannot be made, as the 练习记录 window tells it.
    hearvex::record::OpenOutcome outcome;
    EXPECT_EQ(hearvex::record::PracticeRecord::open(
                  QStringLiteral("/proc/self/no/practice.sqlite3"), &outcome),
              nullptr);
    EXPECT_EQ(outcome.reason, QStringLiteral("无法建立文件夹 /proc/self/no"));
}
