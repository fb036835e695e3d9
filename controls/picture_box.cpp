#include "picture_box.h"

#include <QPainter>

namespace hearvex::controls {

PictureBox::PictureBox(QWidget* parent, int bevelPixels)
    : QWidget(parent)
    , m_bevel(bevelPixels) {}

void PictureBox::setBackColor(const QColor& color) {
    m_backColor = color;
    update();
}

void PictureBox::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_backColor.isValid())
        p.fillRect(rect(), m_backColor);
    if (!m_picture.isNull())
        p.drawPixmap(0, 0, m_picture);
    // A sunken bevel in the theme's shades: dark above and left, light below and right.
    const QColor shades[2][2] = {{QColor(62, 80, 112), QColor(168, 186, 214)},
                                 {QColor(40, 54, 82), QColor(132, 152, 184)}};
    for (int i = 0; i < std::min(m_bevel, 2); ++i) {
        const QRect r = rect().adjusted(i, i, -i - 1, -i - 1);
        p.setPen(shades[i][0]);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(shades[i][1]);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
}

} // namespace hearvex::controls
