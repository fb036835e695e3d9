// The program's fonts, by pixel size so that layouts drawn for 96-dpi screens
// keep their proportions on any screen.
#pragma once

#include <QFont>

namespace hearvex::controls {

// Must run once after the application object exists: maps the design's font
// names (宋体, SimSun, Times New Roman) to fonts this system has.
void installFontSubstitutions();

QFont songTi(int pixelSize, bool bold = false);        // the design's 宋体: a CJK serif
QFont interfaceFont(int pixelSize, bool bold = false); // captions: a CJK sans
QFont timesNewRoman(int pixelSize);                    // the exercise boxes

} // namespace hearvex::controls
