#include "artwork.h"
#include "colors.h"

#include "fonts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace hearvex::controls::artwork {

namespace {

const QColor kPlateTop(54, 74, 116);
const QColor kPlateBottom(28, 40, 70);
const QColor kYellow(255, 214, 64);

QPixmap transparentPixmap(int width, int height) {
    QPixmap pm(width, height);
    pm.fill(Qt::transparent);
    return pm;
}

// A dark blue plate with soft corners and a light rim.
void drawPlate(QPainter& p, const QRectF& r, qreal radius) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kPlateTop);
    g.setColorAt(1, kPlateBottom);
    QPainterPath path;
    path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.fillPath(path, g);
    p.setPen(QPen(QColor(150, 172, 210, 200), 1));
    p.drawPath(path);
}

void drawHeadphones(QPainter& p, const QPointF& centre, qreal radius, const QColor& color) {
    p.save();
    p.setPen(QPen(color, radius * 0.16, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QRectF band(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.drawArc(band, 200 * 16, -220 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const qreal cupW = radius * 0.42, cupH = radius * 0.78;
    p.drawRoundedRect(
        QRectF(centre.x() - radius - cupW * 0.35, centre.y() + radius * 0.05, cupW, cupH),
        cupW * 0.35, cupW * 0.35);
    p.drawRoundedRect(
        QRectF(centre.x() + radius - cupW * 0.65, centre.y() + radius * 0.05, cupW, cupH),
        cupW * 0.35, cupW * 0.35);
    p.restore();
}

} // namespace

QPixmap mainBackground(int width, int height) {
    QPixmap pm(width, height);
    pm.fill(kBackColor);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const int strip = 80;
    QLinearGradient sky(0, 0, width, strip);
    sky.setColorAt(0, QColor(30, 44, 78));
    sky.setColorAt(0.55, QColor(64, 88, 130));
    sky.setColorAt(1, kBackColor);
    p.fillRect(0, 0, width, strip, sky);

    // A quiet sound wave across the strip.
    QPainterPath wave;
    for (int x = 0; x <= width; x += 2) {
        const double t = x / double(width);
        const double envelope = 0.35 + 0.65 * std::sin(t * 3.14159);
        const double y = 58 + envelope * 9 * std::sin(x / 7.0) * std::cos(x / 31.0);
        if (x == 0)
            wave.moveTo(x, y);
        else
            wave.lineTo(x, y);
    }
    p.setPen(QPen(QColor(160, 190, 235, 90), 1.4));
    p.drawPath(wave);

    drawHeadphones(p, QPointF(44, 34), 18, QColor(255, 214, 64));

    p.setPen(Qt::white);
    p.setFont(interfaceFont(28, true));
    p.drawText(QRect(80, 8, 300, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Hearvex"));
    p.setFont(interfaceFont(16, false));
    p.setPen(QColor(226, 234, 248));
    p.drawText(QRect(212, 14, 260, 34), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("英语听写训练"));
    p.setFont(interfaceFont(12, false));
    p.setPen(QColor(200, 214, 238));
    p.drawText(QRect(width - 230, 12, 218, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("听一句 · 写一句 · 对一句"));
    // A thin light rule where the strip meets the body.
    p.setPen(QColor(170, 190, 222));
    p.drawLine(0, strip - 1, width, strip - 1);
    return pm;
}

QPixmap decoration(int width, int height) {
    QPixmap pm(width, height);
    pm.fill(kBackColor); // opaque: nothing behind it shows through the corners
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, width, height);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(36, 52, 90));
    g.setColorAt(1, QColor(84, 110, 156));
    QPainterPath frame;
    frame.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.fillPath(frame, g);

    // Sound rings spreading from the speaker at the left.
    const QPointF source(width * 0.22, height * 0.52);
    for (int i = 1; i <= 5; ++i) {
        p.setPen(QPen(QColor(255, 214, 64, 200 - i * 32), 2));
        const qreal rr = i * height * 0.11;
        p.drawArc(QRectF(source.x() - rr, source.y() - rr, 2 * rr, 2 * rr), -50 * 16, 100 * 16);
    }
    drawHeadphones(p, QPointF(width * 0.14, height * 0.44), height * 0.16, QColor(240, 244, 252));

    // Equaliser bars at the right.
    const double bars[] = {0.35, 0.6, 0.85, 0.55, 0.75, 0.4, 0.65, 0.3};
    const qreal barW = width * 0.035, base = height * 0.78;
    for (int i = 0; i < 8; ++i) {
        const qreal h = bars[i] * height * 0.42;
        QLinearGradient bg(0, base - h, 0, base);
        bg.setColorAt(0, QColor(255, 90, 60));
        bg.setColorAt(1, QColor(255, 214, 64));
        p.fillRect(QRectF(width * 0.58 + i * barW * 1.6, base - h, barW, h), bg);
    }

    p.setPen(QColor(236, 242, 252));
    p.setFont(songTi(14, true));
    p.drawText(QRectF(0, height * 0.83, width, height * 0.15), Qt::AlignCenter,
               QStringLiteral("用耳朵学英语"));
    p.setPen(QPen(QColor(170, 190, 222), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);
    return pm;
}

QPixmap programIcon(int size) {
    QPixmap pm = transparentPixmap(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, size, size);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(72, 100, 150));
    g.setColorAt(1, QColor(24, 36, 66));
    QPainterPath path;
    path.addRoundedRect(r.adjusted(size * 0.03, size * 0.03, -size * 0.03, -size * 0.03),
                        size * 0.2, size * 0.2);
    p.fillPath(path, g);
    drawHeadphones(p, QPointF(size * 0.5, size * 0.5), size * 0.3, kYellow);
    return pm;
}

QPixmap wordButton(const QString& words, int width, int height) {
    QPixmap pm = transparentPixmap(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawPlate(p, QRectF(0, 0, width, height), 5);
    int pixelSize = std::min(height - 10, 15);
    QFont font = interfaceFont(pixelSize, true);
    while (pixelSize > 8 && QFontMetrics(font).horizontalAdvance(words) > width - 8)
        font = interfaceFont(--pixelSize, true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, width, height), Qt::AlignCenter, words);
    return pm;
}

QPixmap arrowButton(bool pointsRight, int size) {
    QPixmap pm = transparentPixmap(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawPlate(p, QRectF(0, 0, size, size), size * 0.3);
    const qreal m = size * 0.28;
    QPolygonF tri;
    if (pointsRight)
        tri << QPointF(m + 1, m) << QPointF(size - m + 1, size / 2.0) << QPointF(m + 1, size - m);
    else
        tri << QPointF(size - m - 1, m) << QPointF(m - 1, size / 2.0)
            << QPointF(size - m - 1, size - m);
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    p.drawPolygon(tri);
    return pm;
}

QPixmap cassetteButton(int width, int height) {
    QPixmap pm = transparentPixmap(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawPlate(p, QRectF(0, 0, width, height), 3);
    const QRectF label(width * 0.14, height * 0.18, width * 0.72, height * 0.46);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 226, 196));
    p.drawRoundedRect(label, 2, 2);
    p.setBrush(QColor(40, 40, 48));
    const qreal reel = height * 0.17;
    p.drawEllipse(QPointF(width * 0.34, height * 0.41), reel, reel);
    p.drawEllipse(QPointF(width * 0.66, height * 0.41), reel, reel);
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(width * 0.34, height * 0.41), reel * 0.45, reel * 0.45);
    p.drawEllipse(QPointF(width * 0.66, height * 0.41), reel * 0.45, reel * 0.45);
    QPolygonF foot;
    foot << QPointF(width * 0.26, height - 2) << QPointF(width * 0.32, height * 0.72)
         << QPointF(width * 0.68, height * 0.72) << QPointF(width * 0.74, height - 2);
    p.setBrush(QColor(150, 172, 210));
    p.drawPolygon(foot);
    return pm;
}

namespace {
// A repeat-strip face: a yellow symbol, drawn by draw, on the dark plate.
template <typename Draw> QPixmap stripButton(int width, int height, Draw draw) {
    QPixmap pm = transparentPixmap(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawPlate(p, QRectF(0, 0, width, height), 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    draw(p);
    return pm;
}

// Digits 0 to 9 in a 3 x 5 pixel face: at the repeat strip's size a font's
// glyphs blur into a smudge, these stay sharp.
constexpr const char* kDigits[10][5] = {
    {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"},
    {"###", "..#", "###", "#..", "###"}, {"###", "..#", "###", "..#", "###"},
    {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", "..#", "..#"},
    {"###", "#.#", "###", "#.#", "###"}, {"###", "#.#", "###", "..#", "###"},
};
constexpr int kDigitWidth = 3, kDigitHeight = 5;

void drawDigit(QPainter& p, int digit, int left, int top) {
    for (int row = 0; row < kDigitHeight; ++row)
        for (int col = 0; col < kDigitWidth; ++col)
            if (kDigits[digit][row][col] == '#')
                p.drawRect(left + col, top + row, 1, 1);
}
} // namespace

QPixmap repeatBackButton(int seconds, int width, int height) {
    return stripButton(width, height, [&](QPainter& p) {
        // A small arrow pointing back, then the seconds it goes back.
        const QString digits = QString::number(std::max(seconds, 0));
        const int arrowWidth = 3;
        const int textWidth = int(digits.size()) * (kDigitWidth + 1) - 1;
        const int left = (width - (arrowWidth + 1 + textWidth)) / 2;
        const int top = (height - kDigitHeight) / 2;
        p.setRenderHint(QPainter::Antialiasing, false);
        for (int col = 0; col < arrowWidth; ++col) // rows widen from the tip
            p.drawRect(left + col, top + 2 - col, 1, 1 + 2 * col);
        int x = left + arrowWidth + 1;
        for (QChar c : digits) {
            drawDigit(p, c.digitValue(), x, top);
            x += kDigitWidth + 1;
        }
    });
}

QPixmap playButton(int width, int height) {
    return stripButton(width, height, [&](QPainter& p) {
        QPolygonF tri;
        tri << QPointF(width * 0.36, height * 0.2) << QPointF(width * 0.7, height / 2.0)
            << QPointF(width * 0.36, height * 0.8);
        p.drawPolygon(tri);
    });
}

QPixmap pauseButton(int width, int height) {
    return stripButton(width, height, [&](QPainter& p) {
        // Two upright bars: the sign for pause (a square would read as stop).
        const int barHeight = std::max(height - 4, 1);
        const int barWidth = 2, gap = 2;
        const int left = (width - (2 * barWidth + gap)) / 2;
        const int top = (height - barHeight) / 2;
        p.setRenderHint(QPainter::Antialiasing, false);
        p.drawRect(left, top, barWidth, barHeight);
        p.drawRect(left + barWidth + gap, top, barWidth, barHeight);
    });
}

} // namespace hearvex::controls::artwork
