// The controls of the main window that A-B repeat owns and alone writes.
#pragma once

#include "command_button.h"
#include "label.h"
#include "picture_button.h"
#include "timer.h"

#include <QString>
#include <array>

namespace hearvex::repeat {

// The repeat switch's captions: repeat is on exactly while the caption reads kRepeatOn.
inline const QString kRepeatOff = QStringLiteral("开始复读");
inline const QString kRepeatOn = QStringLiteral("停止复读");

struct RepeatControls {
    controls::Timer* Timer1 = nullptr; // the loop check, 50 ms
    // 0 sets A, 1 sets B, 2 the repeat switch
    std::array<controls::CommandButton*, 3> xpcmdbutton1{};
    // 0 shows A, 1 shows B
    std::array<controls::Label*, 2> pointLabels{};
    // 0 the last 10 s, 1 the last 20 s, 2 play, 3 pause or resume
    std::array<controls::PictureButton*, 4> Image3{};
};

} // namespace hearvex::repeat
