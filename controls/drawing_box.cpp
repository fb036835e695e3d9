#include "drawing_box.h"

#include "guard.h"
#include "twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace hearvex::controls {

using base::runGuarded;
using base::twipsToPixels;

DrawingBox::DrawingBox(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingBox::setBackColor(const QColor& color) {
    m_backColor = color;
    clear();
}

void DrawingBox::clear() {
    image().fill(m_backColor);
    update();
}

QImage& DrawingBox::image() {
    if (m_image.size() != size()) {
        m_image = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        m_image.fill(m_backColor);
    }
    return m_image;
}

void DrawingBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image());
}

void DrawingBox::mouseReleaseEvent(QMouseEvent* event) {
    if (m_click && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        runGuarded("picture click", m_click);
}

void DrawingBox::resizeEvent(QResizeEvent*) {
    image();
}

LineControl::LineControl(QWidget* parent, int x1, int y1, int x2, int y2, const QColor& color)
    : QWidget(parent)
    , m_x1(x1)
    , m_y1(y1)
    , m_x2(x2)
    , m_y2(y2)
    , m_color(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setEnds(x1, y1, x2, y2);
}

void LineControl::setEnds(int x1, int y1, int x2, int y2) {
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    const QPoint a(twipsToPixels(x1), twipsToPixels(y1));
    const QPoint b(twipsToPixels(x2), twipsToPixels(y2));
    setGeometry(QRect(a, b).normalized().adjusted(0, 0, 1, 1));
    update();
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(m_color);
    const QPoint origin = geometry().topLeft();
    p.drawLine(QPoint(twipsToPixels(m_x1), twipsToPixels(m_y1)) - origin,
               QPoint(twipsToPixels(m_x2), twipsToPixels(m_y2)) - origin);
}

} // namespace hearvex::controls
