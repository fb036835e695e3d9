// A container panel. With a sunken border its children live in the client area
// inside the border and are clipped to it, as the designs' positions assume.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace hearvex::ui {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr, int borderPixels = 0);

    // Where children go: the area inside the border.
    QWidget* client() const;

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);
    void setPicture(const QPixmap& picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class Client;
    friend class Client;
    Client* m_client;
    int m_border;
    QColor m_backColor{102, 126, 162};
    QPixmap m_picture;
};

} // namespace hearvex::ui
