// Where a tool window opens beside the main window: the place on the screen
// that covers least of the main window, so the lesson stays in sight.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace hearvex::record {

// The top-left corner for a window of size on screen (its available area):
// beside main on the right, left, below or above, or in a corner of the
// screen, whichever covers least of main (the first of those on a tie); a
// place is kept inside the screen where the window fits on it.
QPoint leastCoveringPlace(const QRect& main, const QSize& size, const QRect& screen);

} // namespace hearvex::record
