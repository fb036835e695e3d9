#include "frame_painter.h"

#include <QPainter>
#include <QPoint>

namespace hearvex::view {

void paintWave(QImage& image, const WavePolyline& points) {
    std::array<QPoint, kWavePoints> line;
    for (int i = 0; i < kWavePoints; ++i)
        line[i] = QPoint(points[i].x, points[i].y);
    QPainter painter(&image);
    painter.setPen(QPen(kWavePenColor, 0)); // cosmetic: always one pixel
    painter.drawPolyline(line.data(), int(line.size()));
}

void paintPixels(QImage& image, const std::vector<FramePixel>& pixels) {
    const bool direct =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    if (!direct) {
        for (const FramePixel& p : pixels)
            if (image.valid(p.x, p.y))
                image.setPixel(p.x, p.y, 0xff000000u | p.color);
        return;
    }
    // Straight into the scan lines: a full-width spectrum is several thousand pixels.
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (const FramePixel& p : pixels)
        if (image.valid(p.x, p.y))
            reinterpret_cast<QRgb*>(bits + p.y * stride)[p.x] = 0xff000000u | p.color;
}

} // namespace hearvex::view
