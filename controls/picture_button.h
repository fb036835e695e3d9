// An image control used as a button: a picture, a border style of 0 or 1 (the
// switch buttons keep their state in it), a pressed look (the picture moves by
// a few pixels from press to release), and mouse-down / mouse-up handlers that receive
// the button code (1 left, 2 right, 4 middle), the shift state and the point.
// The mouse is held by the button from press to release, so a release away
// from the button still reaches it.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace hearvex::controls {

enum MouseButtonCode { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

int mouseButtonCode(Qt::MouseButton button);
int shiftCode(Qt::KeyboardModifiers modifiers);

using MouseHandler = std::function<void(int button, int shift, int x, int y)>;

class PictureButton : public QWidget {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }

    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style); // 0 none, 1 single; else ControlError

    int left() const { return x(); }
    void setLeft(int pixels) { move(pixels, y()); }
    int top() const { return y(); }
    void setTop(int pixels) { move(x(), pixels); }

    // While a mouse button holds it, the button stands moved by shift.
    void setPressShift(QPoint shift) { m_pressShift = shift; }

    void setMouseDownHandler(MouseHandler handler) { m_mouseDown = std::move(handler); }
    void setMouseUpHandler(MouseHandler handler) { m_mouseUp = std::move(handler); }
    void setClickHandler(std::function<void()> handler) { m_click = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
    int m_borderStyle = 0;
    QPoint m_pressShift;
    bool m_shifted = false;
    MouseHandler m_mouseDown;
    MouseHandler m_mouseUp;
    std::function<void()> m_click;
};

} // namespace hearvex::controls
