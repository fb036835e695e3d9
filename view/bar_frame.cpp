#include "bar_frame.h"

#include "frame_math.h"

#include <algorithm>

namespace hearvex::view {

namespace {

// The new height jumps up at once; the level otherwise sinks by fall, never
// below 0 nor below the new height.
int32_t fallTowards(int32_t level, int32_t height, int32_t fall) {
    if (level < height)
        return height;
    return std::max(std::max(level - fall, 0), height);
}

void addPixel(std::vector<FramePixel>& out, PixelBox box, int x, int y, uint32_t color) {
    if (x >= 0 && x < box.width && y >= 0 && y < box.height)
        out.push_back({x, y, color});
}

struct BarRow {
    int64_t yy; // twips from the top
    int row;    // its pixel row
    uint32_t color;
};

// The rows a bar may cover, bottom up, the same for every column. Rows above
// the box are clipped, and every later row lies higher still: the list stops
// there, so a huge level cannot stall the frame.
std::vector<BarRow> barRows(int heightTwips) {
    std::vector<BarRow> rows;
    for (int64_t yy = int64_t(heightTwips) - 10;; yy -= 15) {
        const int row = base::roundHalfEven(yy / 15.0);
        if (row < 0)
            break;
        rows.push_back({yy, row, barColor(int(yy), heightTwips)});
    }
    return rows;
}

} // namespace

std::optional<SpectrumColumns> spectrumColumns(int viewMode) {
    switch (viewMode) {
    case 2:
        return SpectrumColumns{1, 255, false, true};
    case 3:
        return SpectrumColumns{2, 127, true, true};
    case 4:
        return SpectrumColumns{3, 85, true, true};
    case 5:
        return SpectrumColumns{4, 63, true, true};
    case 6:
        return SpectrumColumns{4, 63, true, false};
    default:
        return std::nullopt;
    }
}

uint32_t barColor(int yy, int heightTwips) {
    const int g = base::roundHalfEven(double(int64_t(yy) * 255) / heightTwips);
    return rgb(255, std::clamp(2 * g - 255, 0, 255), 0);
}

std::optional<std::vector<FramePixel>> spectrumFrame(int viewMode, const EngineBuffer& first,
                                                     const EngineBuffer& second, int heightTwips,
                                                     PixelBox box, FallingLevels& levels) {
    std::vector<FramePixel> pixels;
    const std::optional<SpectrumColumns> columns = spectrumColumns(viewMode);
    if (!columns || heightTwips <= 0)
        return pixels;
    const int64_t h64 = heightTwips;
    FallingLevels next = levels;
    const std::vector<BarRow> rows =
        columns->drawsBars ? barRows(heightTwips) : std::vector<BarRow>{};
    pixels.reserve(columns->drawsBars ? (rows.size() + 1) * 256 : 64);
    for (int x = 0; x <= columns->last; x += columns->step) {
        const int b = columns->step * x;
        const int64_t above40 = int64_t(std::max(first[b], second[b])) - 40;
        if (!fitsInt32(above40))
            return std::nullopt;
        const std::optional<int32_t> newHeight = nearest32(double(heightTwips) / 70 * above40);
        if (!newHeight)
            return std::nullopt;
        const int32_t bar = next.barHeights[b] =
            fallTowards(next.barHeights[b], *newHeight, kBarFallTwips);
        const int32_t peak = next.peakHeights[b] =
            fallTowards(next.peakHeights[b], bar, kPeakFallTwips);
        const int64_t barTop = h64 - bar - 10;
        const int64_t peakTop = h64 - peak - 10;
        if (!fitsInt32(barTop) || !fitsInt32(peakTop))
            return std::nullopt;

        if (columns->drawsBars) {
            for (const BarRow& r : rows) {
                if (r.yy < barTop)
                    break;
                addPixel(pixels, box, x, r.row, r.color);
                if (columns->twoPixelsWide)
                    addPixel(pixels, box, x + 1, r.row, r.color);
            }
        }
        const std::optional<int32_t> peakRow = nearest32(peakTop / 15.0);
        if (!peakRow)
            return std::nullopt;
        addPixel(pixels, box, x, *peakRow, kPeakColor);
        if (columns->twoPixelsWide)
            addPixel(pixels, box, x + 1, *peakRow, kPeakColor);
    }
    levels = next;
    return pixels;
}

} // namespace hearvex::view
