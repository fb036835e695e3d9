// The record window's own pictures: its title strip and its close button.
#pragma once

#include "tool_window_artwork.h"

#include <QPixmap>

namespace hearvex::record::artwork {

QPixmap recordTitle(int width, int height); // reads "Record 练习记录", with a small chart
using controls::artwork::closePicture;

} // namespace hearvex::record::artwork
