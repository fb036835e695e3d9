// The pictures the small tool windows share (the word lists, the practice
// record): their title strip and their close button.
#pragma once

#include <QPixmap>
#include <QString>

namespace hearvex::controls::artwork {

// A dark blue band with a light line under it, reading the English name in
// bold italics and then the Chinese one in yellow, from textLeft; the window
// draws its own mark in the space at the left.
QPixmap toolWindowTitle(int width, int height, int textLeft, const QString& english,
                        const QString& chinese);
QPixmap closePicture(int size); // a small white cross on a dark red plate

} // namespace hearvex::controls::artwork
