#include "picture_box.h"

#include <QPainter>

namespace hearvex::ui {

class PictureBox::Client : public QWidget {
public:
    explicit Client(PictureBox* box) : QWidget(box), m_box(box) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (m_box->m_backColor.isValid())
            p.fillRect(rect(), m_box->m_backColor);
        if (!m_box->m_picture.isNull())
            p.drawPixmap(0, 0, m_box->m_picture);
    }

private:
    PictureBox* m_box;
};

PictureBox::PictureBox(QWidget* parent, int borderPixels)
    : QWidget(parent), m_client(new Client(this)), m_border(borderPixels) {}

QWidget* PictureBox::client() const { return m_client; }

void PictureBox::setBackColor(const QColor& color) {
    m_backColor = color;
    m_client->update();
}

void PictureBox::setPicture(const QPixmap& picture) {
    m_picture = picture;
    m_client->update();
}

void PictureBox::resizeEvent(QResizeEvent*) {
    m_client->setGeometry(rect().adjusted(m_border, m_border, -m_border, -m_border));
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (m_border == 0)
        return;
    // A sunken bevel in the theme's shades.
    QPainter p(this);
    const QRect r = rect();
    p.setPen(QColor(62, 80, 112));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(168, 186, 214));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    if (m_border > 1) {
        const QRect in = r.adjusted(1, 1, -1, -1);
        p.setPen(QColor(40, 54, 82));
        p.drawLine(in.topLeft(), in.topRight());
        p.drawLine(in.topLeft(), in.bottomLeft());
        p.setPen(QColor(132, 152, 184));
        p.drawLine(in.bottomLeft(), in.bottomRight());
        p.drawLine(in.topRight(), in.bottomRight());
    }
}

} // namespace hearvex::ui
