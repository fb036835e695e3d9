// The window colours of the program, in one place.
#pragma once

#include <QColor>
#include <QString>

namespace hearvex::controls {

// The windows' own blue-grey, behind every box and panel.
inline const QColor kBackColor{102, 126, 162};
// A selected line or text on that colour.
inline const QColor kSelectionColor{40, 58, 96};

// A colour as a style sheet writes it: rgb(r,g,b).
inline QString styleColor(const QColor& color) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(color.red()).arg(color.green()).arg(color.blue());
}

} // namespace hearvex::controls
