// The word-list window's own pictures: its title strip and its close button.
#pragma once

#include "tool_window_artwork.h"

#include <QPixmap>

namespace hearvex::wordlists::artwork {

QPixmap dictionaryTitle(int width, int height); // reads "Dictionary 词典"
using controls::artwork::closePicture;

} // namespace hearvex::wordlists::artwork
