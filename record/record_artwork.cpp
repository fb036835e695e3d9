#include "record_artwork.h"

#include "fonts.h"

#include <QFontMetrics>
#include <QLinearGradient>
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
    QPixmap pixmap(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 0, height);
    band.setColorAt(0, QColor(58, 78, 118));
    band.setColorAt(0.55, QColor(34, 50, 86));
    band.setColorAt(1, QColor(22, 34, 62));
    p.fillRect(pixmap.rect(), band);
    p.setPen(QColor(138, 158, 192));
    p.drawLine(0, height - 1, width, height - 1);
    drawChartMark(p, height);

    QFont latin(QStringLiteral("Liberation Serif"));
    latin.setPixelSize(15);
    latin.setItalic(true);
    latin.setBold(true);
    p.setFont(latin);
    p.setPen(Qt::white);
    const QRect textArea(38, 0, width - 38, height);
    p.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Record"));
    const int latinWidth = QFontMetrics(latin).horizontalAdvance(QStringLiteral("Record"));
    p.setFont(controls::songTi(14, true));
    p.setPen(QColor(255, 230, 120));
    p.drawText(textArea.adjusted(latinWidth + 8, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("练习记录"));
    return pixmap;
}

QPixmap closePicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(200, 210, 230));
    p.setBrush(QColor(150, 40, 40));
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), 2, 2);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    const qreal a = size * 0.3, b = size * 0.7;
    p.drawLine(QPointF(a, a), QPointF(b, b));
    p.drawLine(QPointF(a, b), QPointF(b, a));
    return pixmap;
}

} // namespace hearvex::record::artwork
