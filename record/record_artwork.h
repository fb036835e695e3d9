// The record window's own pictures: its title strip and its close button.
#pragma once

#include <QPixmap>

namespace hearvex::record::artwork {

QPixmap recordTitle(int width, int height); // reads "Record 练习记录", with a small chart
QPixmap closePicture(int size);             // a small cross on a dark plate

} // namespace hearvex::record::artwork
