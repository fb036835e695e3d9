// The controls of the main window that the wave view owns and alone writes.
#pragma once

#include "drawing_box.h"
#include "timer.h"

namespace hearvex::view {

struct ViewControls {
    controls::Timer* TimeView = nullptr; // one frame per tick
    controls::DrawingBox* picWave = nullptr;
    controls::LineControl* lineCenter = nullptr;
    int picWaveFrmScaleWidth = 0; // the frame's inner width in twips, fixed by the design
};

} // namespace hearvex::view
