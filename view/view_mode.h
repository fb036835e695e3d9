// The display modes of the view and how a click steps through them:
// 1 wave, 2 to 6 spectrum styles, then back to 1.
#pragma once

#include "view_data.h"

#include <optional>

namespace hearvex::view {

inline constexpr int kWaveMode = 1;
inline constexpr int kFirstSpectrumMode = 2;
inline constexpr int kLastViewMode = 6;

struct ViewModeStep {
    int next;
    // Set only where the step changes them: the centre line is shown in wave
    // mode alone, and the background is white in wave mode, black otherwise.
    std::optional<bool> centerLineVisible;
    std::optional<uint32_t> backColor;
};

// What a click does in viewMode; empty (nothing happens) outside 1..6.
std::optional<ViewModeStep> viewModeAfterClick(int viewMode);

} // namespace hearvex::view
