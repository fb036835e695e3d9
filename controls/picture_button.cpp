#include "picture_button.h"

#include "control_error.h"
#include "guard.h"

#include <QMouseEvent>
#include <QPainter>

namespace hearvex::controls {

using base::runGuarded;

int mouseButtonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return kLeftButton;
    case Qt::RightButton:
        return kRightButton;
    case Qt::MiddleButton:
        return kMiddleButton;
    default:
        return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

PictureButton::PictureButton(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void PictureButton::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void PictureButton::setBorderStyle(int style) {
    if (style != 0 && style != 1)
        throw ControlError("invalid property value: BorderStyle " + std::to_string(style));
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    update();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
    if (m_borderStyle == 1) {
        // The pressed switch: a light frame with a dark inner line, readable on any face.
        p.setPen(QColor(255, 236, 120));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.setPen(QColor(20, 28, 48));
        p.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!m_shifted && !m_pressShift.isNull()) {
        move(pos() + m_pressShift);
        m_shifted = true;
    }
    if (m_mouseDown)
        runGuarded("picture mouse down", [&] {
            m_mouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()), at.x(),
                        at.y());
        });
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_shifted) {
        move(pos() - m_pressShift);
        m_shifted = false;
    }
    if (m_mouseUp)
        runGuarded("picture mouse up", [&] {
            m_mouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()), at.x(),
                      at.y());
        });
    // A click is a left press and release over the picture.
    if (m_click && event->button() == Qt::LeftButton && rect().contains(at))
        runGuarded("picture click", m_click);
    event->accept();
}

} // namespace hearvex::controls
