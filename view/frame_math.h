// The view's arithmetic is 32-bit as the frame rules define it; values from a
// broken engine can leave that range, and such a frame is skipped rather than
// drawn from wrapped numbers.
#pragma once

#include "twips.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace hearvex::view {

inline bool fitsInt32(int64_t value) {
    return value >= std::numeric_limits<int32_t>::min() &&
           value <= std::numeric_limits<int32_t>::max();
}

// Nearest integer, halves to even, when it fits 32 bits (NaN never does).
inline std::optional<int32_t> nearest32(double value) {
    if (!(value >= -2147483648.5 && value < 2147483647.5))
        return std::nullopt;
    return base::roundHalfEven(value);
}

} // namespace hearvex::view
