#include "banded_warp.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hearvex::lessons {

namespace {

struct Band {
    std::vector<uint32_t> lo, hi; // per row of a, inclusive columns of b
};

enum Step : uint8_t { Diagonal, FromAbove, FromLeft };

std::vector<CepstralFrame> halved(const std::vector<CepstralFrame>& frames) {
    std::vector<CepstralFrame> out((frames.size() + 1) / 2);
    for (size_t i = 0; i < out.size(); ++i) {
        const CepstralFrame& x = frames[2 * i];
        const CepstralFrame& y = frames[std::min(2 * i + 1, frames.size() - 1)];
        for (size_t k = 0; k < kCepstra; ++k)
            out[i][k] = 0.5f * (x[k] + y[k]);
    }
    return out;
}

// Every row's band starts no later than the row below may reach it from, so
// the end is always reachable from the start.
void makeConnected(Band& band, size_t columns) {
    const size_t rows = band.lo.size();
    band.lo[0] = 0;
    band.hi[rows - 1] = uint32_t(columns - 1);
    for (size_t i = 1; i < rows; ++i)
        band.lo[i] = std::max(band.lo[i], band.lo[i - 1]);
    for (size_t i = rows - 1; i-- > 0;)
        band.hi[i] = std::min(band.hi[i], band.hi[i + 1]);
    for (size_t i = 1; i < rows; ++i)
        band.lo[i] = std::min(band.lo[i], band.hi[i - 1] + 1);
    for (size_t i = 0; i < rows; ++i)
        band.hi[i] = std::max(band.hi[i], band.lo[i]);
}

Band diagonalBand(size_t rows, size_t columns, size_t radius) {
    Band band;
    band.lo.resize(rows);
    band.hi.resize(rows);
    for (size_t i = 0; i < rows; ++i) {
        const double centre = rows > 1 ? double(i) * double(columns - 1) / double(rows - 1) : 0;
        band.lo[i] = uint32_t(std::max(0.0, centre - double(radius)));
        band.hi[i] = uint32_t(std::min(double(columns - 1), centre + double(radius)));
    }
    makeConnected(band, columns);
    return band;
}

// The band at twice the resolution around a coarse path, widened by radius.
Band bandAround(const std::vector<RowMatch>& coarse, size_t rows, size_t columns, size_t radius) {
    Band band;
    band.lo.resize(rows);
    band.hi.resize(rows);
    for (size_t i = 0; i < rows; ++i) {
        const size_t up = std::min(i / 2 + (radius + 1) / 2, coarse.size() - 1);
        const size_t down = i / 2 >= (radius + 1) / 2 ? i / 2 - (radius + 1) / 2 : 0;
        const double lo = 2.0 * coarse[down].first - double(radius);
        const double hi = 2.0 * coarse[up].last + 1 + double(radius);
        band.lo[i] = uint32_t(std::max(0.0, lo));
        band.hi[i] = uint32_t(std::min(double(columns - 1), hi));
    }
    makeConnected(band, columns);
    return band;
}

std::vector<RowMatch> warpInBand(const std::vector<CepstralFrame>& a,
                                 const std::vector<CepstralFrame>& b, const Band& band) {
    const size_t rows = a.size();
    constexpr double kUnreachable = std::numeric_limits<double>::infinity();
    std::vector<size_t> offset(rows + 1, 0);
    for (size_t i = 0; i < rows; ++i)
        offset[i + 1] = offset[i] + (band.hi[i] - band.lo[i] + 1);
    std::vector<uint8_t> steps(offset[rows]);
    std::vector<double> previous(b.size(), kUnreachable), current(b.size(), kUnreachable);
    for (size_t i = 0; i < rows; ++i) {
        const uint32_t lo = band.lo[i], hi = band.hi[i];
        for (uint32_t j = lo; j <= hi; ++j) {
            const double d = frameDistance(a[i], b[j]);
            double best = kUnreachable;
            uint8_t step = Diagonal;
            if (i == 0 && j == 0) {
                best = 0;
            } else {
                const double diagonal = (i > 0 && j > 0) ? previous[j - 1] : kUnreachable;
                const double above = i > 0 ? previous[j] : kUnreachable;
                const double left = j > lo ? current[j - 1] : kUnreachable;
                best = diagonal;
                if (above < best) {
                    best = above;
                    step = FromAbove;
                }
                if (left < best) {
                    best = left;
                    step = FromLeft;
                }
            }
            current[j] = best + d;
            steps[offset[i] + (j - lo)] = step;
        }
        // Cells of the previous row outside this band must not be reused.
        if (i > 0)
            for (uint32_t j = band.lo[i - 1]; j <= band.hi[i - 1]; ++j)
                previous[j] = kUnreachable;
        std::swap(previous, current);
    }
    std::vector<RowMatch> matches(rows);
    std::vector<uint32_t> counts(rows, 0);
    size_t i = rows - 1;
    uint32_t j = uint32_t(b.size() - 1);
    matches[i].last = j;
    for (;;) {
        matches[i].first = j;
        matches[i].cost += frameDistance(a[i], b[j]);
        ++counts[i];
        if (i == 0 && j == 0)
            break;
        const uint8_t step = steps[offset[i] + (j - band.lo[i])];
        if (step != FromLeft) {
            --i;
            matches[i].last = step == Diagonal ? j - 1 : j;
        }
        if (step != FromAbove)
            --j;
    }
    for (size_t r = 0; r < rows; ++r)
        matches[r].cost /= float(std::max(counts[r], 1u));
    return matches;
}

} // namespace

float frameDistance(const CepstralFrame& x, const CepstralFrame& y) {
    float sum = 0;
    for (size_t k = 0; k < kCepstra; ++k) {
        const float d = x[k] - y[k];
        sum += d * d;
    }
    return std::sqrt(sum);
}

std::vector<RowMatch> warpSequences(const std::vector<CepstralFrame>& a,
                                    const std::vector<CepstralFrame>& b,
                                    const WarpOptions& options) {
    if (a.empty() || b.empty())
        return {};
    // Coarse copies, halved until the coarsest band fits the budget.
    std::vector<std::vector<CepstralFrame>> as{a}, bs{b};
    auto coarsestRadius = [&](size_t columns, size_t halvings) {
        const double seconds = options.bandMinSeconds * kFramesPerSecond / double(1u << halvings);
        return size_t(std::max(options.bandShare * double(columns), seconds)) + 1;
    };
    while (as.back().size() > 64 && bs.back().size() > 64 &&
           as.back().size() * std::min(bs.back().size(),
                                       2 * coarsestRadius(bs.back().size(), as.size() - 1) + 1) >
               options.coarsestCellBudget) {
        as.push_back(halved(as.back()));
        bs.push_back(halved(bs.back()));
    }
    size_t level = as.size() - 1;
    std::vector<RowMatch> path = warpInBand(
        as[level], bs[level],
        diagonalBand(as[level].size(), bs[level].size(), coarsestRadius(bs[level].size(), level)));
    while (level-- > 0) {
        const Band band =
            bandAround(path, as[level].size(), bs[level].size(), size_t(options.refineRadius));
        path = warpInBand(as[level], bs[level], band);
    }
    return path;
}

} // namespace hearvex::lessons
