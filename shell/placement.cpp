#include "placement.h"

#include "twips.h"

namespace hearvex {

QPoint centredTopLeft(const QSize& screenPixels) {
    return {base::roundHalfEven((screenPixels.width() - 800) / 2.0),
            base::roundHalfEven((screenPixels.height() - 480) / 2.0)};
}

QPoint dockedTopLeft(const QRect& mainFrameGeometry) {
    return {mainFrameGeometry.x() + mainFrameGeometry.width(), mainFrameGeometry.y()};
}

bool platformPlacesWindows(const QString& platformName) {
    // "wayland", "wayland-egl", "wayland-xcomposite-glx"...
    return !platformName.startsWith(QLatin1String("wayland"), Qt::CaseInsensitive);
}

} // namespace hearvex
