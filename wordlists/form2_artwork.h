// The word-list window's own pictures: its title strip and its close button.
#pragma once

#include <QPixmap>

namespace hearvex::wordlists::artwork {

QPixmap dictionaryTitle(int width, int height); // reads "Dictionary 词典"
QPixmap closePicture(int size);                 // a small cross on a dark plate

} // namespace hearvex::wordlists::artwork
