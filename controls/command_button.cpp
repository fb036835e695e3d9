#include "command_button.h"

#include "guard.h"

#include <QPainter>
#include <QPainterPath>

namespace hearvex::controls {

using base::runGuarded;

CommandButton::CommandButton(QWidget* parent, const QString& caption)
    : QPushButton(caption, parent) {
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(caption);
    connect(this, &QPushButton::clicked, this, [this] {
        if (m_clickHandler)
            runGuarded("button click", m_clickHandler);
    });
}

void CommandButton::setCaption(const QString& caption) {
    setText(caption);
    setAccessibleName(caption);
}

void CommandButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool down = isDown();
    const bool hot = underMouse();
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    if (down) {
        face.setColorAt(0, QColor(54, 72, 104));
        face.setColorAt(1, QColor(78, 100, 136));
    } else {
        face.setColorAt(0, hot ? QColor(150, 172, 206) : QColor(132, 154, 188));
        face.setColorAt(1, hot ? QColor(84, 108, 146) : QColor(70, 94, 132));
    }
    QPainterPath path;
    path.addRoundedRect(r, 4, 4);
    p.fillPath(path, face);
    p.setPen(QPen(QColor(36, 50, 76), 1));
    p.drawPath(path);
    p.setPen(Qt::white);
    p.setFont(font());
    p.drawText(rect().translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
}

} // namespace hearvex::controls
