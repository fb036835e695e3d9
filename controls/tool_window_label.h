// A caption of the small tool windows (the practice record, its word book,
// 跟读): white text in the interface font, named for screen readers and tests.
#pragma once

#include <QLabel>
#include <QRect>

namespace hearvex::controls {

QLabel* toolWindowLabel(QWidget* parent, const char* name, QRect place, int pixelSize = 13);

} // namespace hearvex::controls
