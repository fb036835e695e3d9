#include "pause_finder.h"

#include <algorithm>
#include <cmath>

namespace hearvex::lessons {

namespace {

// Levels over 50 ms, so a plosive's closure is not taken for a pause and a
// click in a pause does not break it.
std::vector<float> smoothed(const std::vector<float>& level) {
    constexpr size_t kHalf = 2;
    std::vector<float> out(level.size());
    for (size_t i = 0; i < level.size(); ++i) {
        const size_t from = i >= kHalf ? i - kHalf : 0;
        const size_t to = std::min(level.size(), i + kHalf + 1);
        float sum = 0;
        for (size_t k = from; k < to; ++k)
            sum += level[k];
        out[i] = sum / float(to - from);
    }
    return out;
}

float percentile(std::vector<float> values, double share) {
    if (values.empty())
        return 0;
    const size_t at = std::min(values.size() - 1, size_t(share * double(values.size())));
    std::nth_element(values.begin(), values.begin() + long(at), values.end());
    return values[at];
}

size_t distanceOutside(size_t first, size_t end, size_t expectFirst, size_t expectEnd) {
    if (end <= expectFirst)
        return expectFirst - end;
    if (first >= expectEnd)
        return first - expectEnd;
    return 0;
}

} // namespace

PauseFinder::PauseFinder(std::vector<float> levelDb)
    : m_level(smoothed(levelDb)) {
    // Pauses sit at the floor (silence or the noise bed), speech well above it.
    const float floor = percentile(m_level, 0.05);
    const float speech = percentile(m_level, 0.90);
    m_quietBelow = floor + std::clamp(0.3f * (speech - floor), 3.0f, 4.0f);
}

Pause PauseFinder::find(const PauseSearch& search) const {
    const size_t to = std::min(search.to, m_level.size());
    Pause best;
    double bestScore = -1e300;
    size_t i = search.from;
    while (i < to) {
        if (m_level[i] >= m_quietBelow) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < to && m_level[end] < m_quietBelow)
            ++end;
        // A long pause wins, but one far from the warp's guess must be much longer.
        const double score =
            double(end - i) -
            0.5 * double(distanceOutside(i, end, search.expectFirst, search.expectEnd));
        if (score > bestScore) {
            bestScore = score;
            best = {i, end};
        }
        i = end;
    }
    if (bestScore > -1e300 || search.from >= to)
        return best;
    size_t quietest = search.from;
    for (size_t k = search.from; k < to; ++k)
        if (m_level[k] < m_level[quietest])
            quietest = k;
    return {quietest, quietest + 1};
}

} // namespace hearvex::lessons
