#include "placement.h"

#include "twips.h"

namespace hearvex {

QPoint centredTopLeft(const QSize& screenPixels) {
    return {controls::roundHalfEven((screenPixels.width() - 800) / 2.0),
            controls::roundHalfEven((screenPixels.height() - 480) / 2.0)};
}

QPoint dockedTopLeft(const QRect& mainFrameGeometry) {
    return {mainFrameGeometry.x() + mainFrameGeometry.width(), mainFrameGeometry.y()};
}

} // namespace hearvex
