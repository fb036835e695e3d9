// The help page as Qt's own page viewer can lay it out. The viewer knows no
// <figure> or <figcaption>: it would set each picture in the line of text
// around it, its caption run on after it. Here every figure becomes a centred
// block of its own, the picture on its own line and its caption right below it
// (a page's line height for text would stretch the picture's line).
#pragma once

#include <QString>

namespace hearvex {

QString helpPageForViewer(const QString& html);

} // namespace hearvex
