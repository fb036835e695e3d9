// Dragging the windows by their body and docking the lesson library after a
// drag of the main window. The test platform has no system move, so these
// drags take the pointer-following path; the system path is scripted.
#include "form1.h"
#include "lesson_list.h"
#include "lessons/lesson_files.h"
#include "scripted_engine.h"
#include "startup.h"
#include "window_drag.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using hearvex::Form1;
using hearvex::WindowDrag;
using hearvex::testing::ScriptedEngine;

namespace {

[[gnu::noinline]] bool shown(const QWidget* widget) {
    return widget->isVisible();
}

WindowDrag& dragOf(QWidget* window) {
    auto* drag = window->findChild<WindowDrag*>(QString(), Qt::FindDirectChildrenOnly);
    if (!drag)
        throw std::runtime_error("the window cannot be dragged");
    return *drag;
}

class DragTest : public ::testing::Test {
protected:
    DragTest() {
        const QString folder = hearvex::lessons::lessonFolder(dir.path());
        QDir().mkpath(folder);
        hearvex::testing::writeBytes(folder + "/unit1.txt", "recording");
        form.setProgramDir(dir.path());
        form.load();
        form.show();
        form.move(200, 150);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // Presses at a point of the window, moves the pointer by delta in steps and releases.
    static void drag(QWidget* window, QPoint at, QPoint delta,
                     Qt::MouseButton button = Qt::LeftButton) {
        const QPoint start = window->pos();
        QTest::mousePress(window, button, {}, at);
        // Mouse positions are given in the window's coordinates as they were at the press.
        QTest::mouseMove(window, at + delta / 2 - (window->pos() - start));
        QTest::mouseMove(window, at + delta - (window->pos() - start));
        QTest::mouseRelease(window, button, {}, at + delta - (window->pos() - start));
    }

    QPoint docked() const { return hearvex::dockedTopLeft(form.frameGeometry()); }

    QTemporaryDir dir;
    ScriptedEngine engine;
    Form1 form{engine};
};

} // namespace

TEST_F(DragTest, TheMainWindowFollowsTheLeftButtonOnItsTitleStripAndTheLibraryDocks) {
    form.form3().show();
    form.form3().move(20, 20);
    drag(&form, QPoint(300, 40), QPoint(-120, 90));
    EXPECT_EQ(form.pos(), QPoint(80, 240));
    EXPECT_EQ(form.form3().pos(), docked());
    EXPECT_EQ(form.form3().pos(), QPoint(80 + 640, 240));
    EXPECT_FALSE(dragOf(&form).isFollowing());
}

TEST_F(DragTest, TheLibraryDocksWhileHiddenAndIsLoadedWithoutShowingIt) {
    drag(&form, QPoint(100, 10), QPoint(35, 17));
    EXPECT_EQ(form.pos(), QPoint(235, 167));
    hearvex::lessons::Form3& library = form.form3();
    EXPECT_FALSE(shown(&library));
    EXPECT_EQ(library.controls().File1->listCount(), 1); // loaded: its list is read
    EXPECT_EQ(library.pos(), docked());
    library.show();
    EXPECT_EQ(library.pos(), QPoint(235 + 640, 167));
}

TEST_F(DragTest, APressReleasedWithoutMovingStillDocksTheLibrary) {
    form.form3().move(5, 5);
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(50, 30));
    EXPECT_EQ(form.pos(), QPoint(200, 150));
    EXPECT_EQ(form.form3().pos(), docked());
}

TEST_F(DragTest, OtherButtonsAndPressesOnChildControlsMoveNothing) {
    form.form3().move(5, 5);
    drag(&form, QPoint(300, 40), QPoint(50, 50), Qt::RightButton);
    drag(&form, QPoint(300, 40), QPoint(50, 50), Qt::MiddleButton);
    EXPECT_EQ(form.pos(), QPoint(200, 150));
    // A label lets presses through to its window; it is still not the window's surface.
    QWidget* label = form.controls().Label3;
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseMove(label, QPoint(60, 60));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(60, 60));
    // The panel below the title strip is a child control too.
    drag(&form, QPoint(300, 200), QPoint(50, 50));
    EXPECT_EQ(form.pos(), QPoint(200, 150));
    EXPECT_FALSE(dragOf(&form).isFollowing());
    EXPECT_EQ(form.form3().pos(), QPoint(5, 5)); // no drag, no docking
}

TEST_F(DragTest, DraggingTheLibraryOrTheWordListsMovesOnlyThatWindow) {
    hearvex::lessons::Form3& library = form.form3();
    library.show();
    library.move(900, 100);
    // The strip between the list and the buttons is the library's own surface.
    drag(&library, QPoint(75, 442), QPoint(-300, 60));
    EXPECT_EQ(library.pos(), QPoint(600, 160));
    EXPECT_EQ(form.pos(), QPoint(200, 150));

    QTest::mouseClick(form.controls().Image2[0], Qt::LeftButton, {}, QPoint(4, 4)); // 词典
    hearvex::wordlists::Form2* words = form.toolbar().form2();
    ASSERT_NE(words, nullptr);
    words->move(10, 10);
    drag(words, QPoint(150, 12), QPoint(40, 30)); // the title strip
    EXPECT_EQ(words->pos(), QPoint(50, 40));
    drag(words, QPoint(150, 200), QPoint(40, 30)); // the list box: no drag
    EXPECT_EQ(words->pos(), QPoint(50, 40));
    EXPECT_EQ(library.pos(), QPoint(600, 160));
    EXPECT_EQ(form.pos(), QPoint(200, 150));
}

TEST_F(DragTest, WhileTheSystemMovesTheMainWindowTheLibraryFollowsUntilTheNextPress) {
    int systemMoves = 0;
    dragOf(&form).setSystemMove([&](QWindow*) { return ++systemMoves > 0; });
    form.form3().move(5, 5);
    QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(systemMoves, 1);
    EXPECT_FALSE(dragOf(&form).isFollowing());
    EXPECT_EQ(form.form3().pos(), docked());
    // The system moves the window; the program hears of it late, in steps.
    form.move(260, 170);
    EXPECT_EQ(form.form3().pos(), QPoint(900, 170));
    form.move(300, 180);
    EXPECT_EQ(form.form3().pos(), QPoint(940, 180));
    // The next press anywhere ends the drag: later moves leave the library alone.
    QTest::mouseClick(form.controls().Image2[3], Qt::LeftButton, {}, QPoint(3, 3));
    form.move(10, 10);
    EXPECT_EQ(form.form3().pos(), QPoint(940, 180));
}
