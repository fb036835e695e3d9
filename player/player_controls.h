// The controls of the main window that the player owns and alone writes.
#pragma once

#include "label.h"
#include "scroll_bar.h"
#include "timer.h"

#include <QLineEdit>

namespace hearvex::player {

struct PlayerControls {
    controls::Timer* Timer = nullptr; // the status refresh, 100 ms
    controls::Label* lbPlayTime = nullptr;
    controls::Label* lbTotalSec = nullptr;
    controls::Label* lbTrackName = nullptr;
    QLineEdit* txtFile = nullptr; // hidden; shows the path of the open recording
    controls::ScrollBar* scSeek = nullptr;
    controls::ScrollBar* scLVol = nullptr;
    controls::ScrollBar* scRVol = nullptr;
    controls::Label* lbSpeed = nullptr;  // the playing speed, empty at normal speed
    controls::Label* lbOutput = nullptr; // says so while playing without a sound device
};

} // namespace hearvex::player
