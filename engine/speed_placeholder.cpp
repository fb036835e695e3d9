// TEMPORARY, to be dropped when the engine's own speed control is merged:
// lets the program link before then. The speed is remembered and reported
// back but the sound is not stretched.
#include "vbmp3.h"

#include <atomic>

#define VBMP3_API extern "C" __attribute__((visibility("default")))

namespace {
std::atomic<int32_t> g_speedPercent{100};
}

VBMP3_API int32_t vbmp3_setSpeed(int32_t percent) {
    if (percent < 50 || percent > 200)
        return 0;
    g_speedPercent = percent;
    return 1;
}

VBMP3_API int32_t vbmp3_getSpeed(void) {
    return g_speedPercent;
}
