// The program's pictures, drawn in code so that every one of them is ours and
// scales with nothing but the fonts this system has.
#pragma once

#include <QPixmap>
#include <QString>

namespace hearvex::controls::artwork {

QPixmap mainBackground(int width, int height); // title strip and blue-grey body of the main window
QPixmap decoration(int width, int height);     // the picture in the player panel
QPixmap programIcon(int size);

// A toolbar face carrying words (词典, 帮助, ...), white on a dark blue plate.
QPixmap wordButton(const QString& words, int width, int height);
QPixmap arrowButton(bool pointsRight, int size); // next / previous lesson
QPixmap cassetteButton(int width, int height);   // the lesson library

// The repeat strip: yellow symbols on a dark blue face with soft corners.
// A small arrow pointing left and the number of seconds it goes back (10, 20).
QPixmap repeatBackButton(int seconds, int width, int height);
QPixmap playButton(int width, int height);  // triangle pointing right
QPixmap pauseButton(int width, int height); // two upright bars

} // namespace hearvex::controls::artwork
