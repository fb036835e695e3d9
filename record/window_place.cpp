#include "window_place.h"

#include <algorithm>
#include <array>

namespace hearvex::record {

namespace {

qint64 area(const QRect& rect) {
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

QPoint keptInside(QPoint place, const QSize& size, const QRect& screen) {
    place.setX(std::clamp(place.x(), screen.left(),
                          std::max(screen.left(), screen.right() + 1 - size.width())));
    place.setY(std::clamp(place.y(), screen.top(),
                          std::max(screen.top(), screen.bottom() + 1 - size.height())));
    return place;
}

} // namespace

QPoint leastCoveringPlace(const QRect& main, const QSize& size, const QRect& screen) {
    const int w = size.width();
    const int h = size.height();
    const std::array<QPoint, 8> candidates = {
        QPoint(main.right() + 1, main.top()),           // right
        QPoint(main.left() - w, main.top()),            // left
        QPoint(main.left(), main.bottom() + 1),         // below
        QPoint(main.left(), main.top() - h),            // above
        screen.topLeft(),                               // the corners
        QPoint(screen.right() + 1 - w, screen.top()),   //
        QPoint(screen.left(), screen.bottom() + 1 - h), //
        QPoint(screen.right() + 1 - w, screen.bottom() + 1 - h)};
    QPoint best;
    qint64 bestCovered = -1;
    for (const QPoint& candidate : candidates) {
        const QPoint place = keptInside(candidate, size, screen);
        const qint64 covered = area(QRect(place, size).intersected(main));
        if (bestCovered < 0 || covered < bestCovered) {
            best = place;
            bestCovered = covered;
        }
    }
    return best;
}

} // namespace hearvex::record
