// A container panel: a background colour, optionally a picture, and
// optionally a sunken bevel drawn at its edges. Children are placed from its
// top-left corner, as the designs' positions give them; the bevel is only
// painted, under them.
#pragma once

#include "colors.h"
#include <QPixmap>
#include <QWidget>

namespace hearvex::controls {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr, int bevelPixels = 0);

    // Where children go.
    QWidget* client() { return this; }

    // The width inside the bevel, in pixels: what the box's drawing scale spans.
    int scaleWidthPixels() const { return width() - 2 * m_bevel; }

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);
    void setPicture(const QPixmap& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_bevel;
    QColor m_backColor = kBackColor;
    QPixmap m_picture;
};

} // namespace hearvex::controls
