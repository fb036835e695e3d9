#include "form2_artwork.h"

#include "tool_window_artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace hearvex::wordlists::artwork {

QPixmap dictionaryTitle(int width, int height) {
    QPixmap pixmap = controls::artwork::toolWindowTitle(
        width, height, 32, QStringLiteral("Dictionary"), QStringLiteral("词典"));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // An open book at the left.
    const qreal top = height * 0.25, bottom = height * 0.78, mid = 16;
    QPainterPath book;
    book.moveTo(mid, top + 2);
    book.quadTo(mid - 5, top - 1, mid - 10, top + 1);
    book.lineTo(mid - 10, bottom - 1);
    book.quadTo(mid - 5, bottom - 3, mid, bottom);
    book.quadTo(mid + 5, bottom - 3, mid + 10, bottom - 1);
    book.lineTo(mid + 10, top + 1);
    book.quadTo(mid + 5, top - 1, mid, top + 2);
    p.setPen(QPen(QColor(255, 230, 120), 1.2));
    p.setBrush(QColor(250, 246, 230));
    p.drawPath(book);
    p.drawLine(QPointF(mid, top + 2), QPointF(mid, bottom));
    return pixmap;
}

} // namespace hearvex::wordlists::artwork
