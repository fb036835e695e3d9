// A picture box that is drawn on: an image of its own size that drawing code
// paints into and the box shows on its next paint, a background colour that
// clearing fills it with, and a click handler.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace hearvex::controls {

class DrawingBox : public QWidget {
    Q_OBJECT
public:
    explicit DrawingBox(QWidget* parent = nullptr);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color); // takes effect at the next clear, as a drawn box does

    void clear();    // fills the image with the background colour
    QImage& image(); // sized to the box; show changes with update()

    void setClickHandler(std::function<void()> handler) { m_click = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_image;
    QColor m_backColor{0, 0, 0};
    std::function<void()> m_click;
};

// A line control: drawn over its container, transparent to the mouse. Its ends
// are in the container's twips, as the design gives them.
class LineControl : public QWidget {
    Q_OBJECT
public:
    LineControl(QWidget* parent, int x1, int y1, int x2, int y2, const QColor& color);

    int x1() const { return m_x1; }
    int x2() const { return m_x2; }
    int y1() const { return m_y1; }
    int y2() const { return m_y2; }
    void setEnds(int x1, int y1, int x2, int y2);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_x1, m_y1, m_x2, m_y2;
    QColor m_color;
};

} // namespace hearvex::controls
