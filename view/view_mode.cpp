#include "view_mode.h"

namespace hearvex::view {

std::optional<ViewModeStep> viewModeAfterClick(int viewMode) {
    if (viewMode < kWaveMode || viewMode > kLastViewMode)
        return std::nullopt;
    switch (viewMode) {
    case kWaveMode:
        return ViewModeStep{kFirstSpectrumMode, false, rgb(0, 0, 0)};
    case kLastViewMode:
        return ViewModeStep{kWaveMode, true, rgb(255, 255, 255)};
    default:
        return ViewModeStep{viewMode + 1, std::nullopt, std::nullopt};
    }
}

} // namespace hearvex::view
