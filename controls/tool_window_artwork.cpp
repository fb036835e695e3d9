#include "tool_window_artwork.h"

#include "fonts.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

namespace hearvex::controls::artwork {

QPixmap toolWindowTitle(int width, int height, int textLeft, const QString& english,
                        const QString& chinese) {
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

    QFont latin(QStringLiteral("Liberation Serif"));
    latin.setPixelSize(15);
    latin.setItalic(true);
    latin.setBold(true);
    p.setFont(latin);
    p.setPen(Qt::white);
    const QRect textArea(textLeft, 0, width - textLeft, height);
    p.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, english);
    const int latinWidth = QFontMetrics(latin).horizontalAdvance(english);
    p.setFont(songTi(14, true));
    p.setPen(QColor(255, 230, 120));
    p.drawText(textArea.adjusted(latinWidth + 8, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               chinese);
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

} // namespace hearvex::controls::artwork
