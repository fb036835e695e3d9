// Where the windows go, and the table of the keys that work while typing: rules without a window.
#include "placement.h"
#include "practice_key_table.h"

#include <gtest/gtest.h>

TEST(StartupPlacement, CentresAn800By480AreaHalvesToEven) {
    EXPECT_EQ(hearvex::centredTopLeft({1280, 800}), QPoint(240, 160));
    EXPECT_EQ(hearvex::centredTopLeft({1281, 801}), QPoint(240, 160)); // 240.5, 160.5
    EXPECT_EQ(hearvex::centredTopLeft({1279, 799}), QPoint(240, 160)); // 239.5, 159.5
    EXPECT_EQ(hearvex::centredTopLeft({800, 480}), QPoint(0, 0));
    // A screen narrower than 800 pixels puts the main window partly off it.
    EXPECT_EQ(hearvex::centredTopLeft({640, 480}), QPoint(-80, 0));
    EXPECT_EQ(hearvex::centredTopLeft({639, 479}), QPoint(-80, 0)); // -80.5, -0.5
}

TEST(StartupPlacement, DocksTheLibraryAgainstTheMainWindowsOuterRightEdge) {
    EXPECT_EQ(hearvex::dockedTopLeft(QRect(240, 160, 640, 480)), QPoint(880, 160));
    // A frame drawn by the desktop counts in the outer width.
    EXPECT_EQ(hearvex::dockedTopLeft(QRect(-82, -24, 644, 508)), QPoint(562, -24));
}

TEST(StartupPlacement, OnlyWaylandKeepsTheProgramFromPlacingItsWindows) {
    const struct {
        const char* platform;
        bool places;
    } cases[] = {{"xcb", true},          {"offscreen", true}, {"minimal", true}, {"wayland", false},
                 {"wayland-egl", false}, {"Wayland", false},  {"eglfs", true},   {"", true}};
    for (const auto& c : cases)
        EXPECT_EQ(hearvex::platformPlacesWindows(QString::fromLatin1(c.platform)), c.places)
            << c.platform;
}

TEST(PracticeKeyTable, EachKeyHasOneEntryAndEveryActionAKey) {
    const auto keys = hearvex::practiceKeys();
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(hearvex::practiceKeyFor(keys[i].key, keys[i].modifiers), &keys[i]);
        EXPECT_FALSE(keys[i].what().isEmpty());
    }
    for (int a = 0; a <= int(hearvex::PracticeAction::Help); ++a)
        EXPECT_NE(hearvex::practiceKeyOf(hearvex::PracticeAction(a)), nullptr) << a;
    // A modifier the table does not name makes it another key.
    EXPECT_EQ(hearvex::practiceKeyFor(Qt::Key_F5, Qt::ShiftModifier), nullptr);
    EXPECT_EQ(hearvex::practiceKeyFor(Qt::Key_Return, Qt::NoModifier), nullptr);
}
