#include "record_artwork.h"

#include "tool_window_artwork.h"

#include <QPainter>

namespace hearvex::record::artwork {

namespace {
// Three rising bars and a line over them, at the strip's left.
void drawChartMark(QPainter& p, int height) {
    const qreal base = height * 0.8;
    const qreal heights[] = {0.25, 0.4, 0.55};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 214, 102));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(7 + i * 7, base - height * heights[i], 5, height * heights[i]));
    p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPolyline(QPolygonF(
        {QPointF(7, height * 0.45), QPointF(16, height * 0.32), QPointF(27, height * 0.2)}));
}
} // namespace

QPixmap recordTitle(int width, int height) {
    QPixmap pixmap = controls::artwork::toolWindowTitle(width, height, 38, QStringLiteral("Record"),
                                                        QStringLiteral("练习记录"));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawChartMark(p, height);
    return pixmap;
}

} // namespace hearvex::record::artwork
