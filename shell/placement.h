// Where the windows go on the screen: the main window centred with the
// lesson library beside it, and the library docked at the main window's right.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace hearvex {

// The main window's top left: an 800 x 480 pixel area (the main window and
// the library beside it) centred on a screen, halves to even. A screen
// narrower than 800 gives a negative left; nothing corrects it.
QPoint centredTopLeft(const QSize& screenPixels);

// The lesson library's top left: against the main window's right edge (its
// left plus its outer width, frame included) and level with its top.
QPoint dockedTopLeft(const QRect& mainFrameGeometry);

// Whether windows can be placed by the program on this Qt platform. Wayland
// leaves every window's place to the compositor, so there the main window and
// the library are held in one window to stay docked (docked_pair.h).
bool platformPlacesWindows(const QString& platformName);

} // namespace hearvex
