// First cut of the C interface so that other parts can link; playback follows.
#include "vbmp3.h"

#define VBMP3_API extern "C" __attribute__((visibility("default")))

namespace {
bool g_running = false;
int32_t g_lastError = VBMP3_ERR_NONE;
int32_t g_left = 100;
int32_t g_right = 100;
} // namespace

VBMP3_API int32_t vbmp3_init(void) {
    g_running = true;
    return 1;
}
VBMP3_API int32_t vbmp3_getWaveOutSupport(void) {
    return g_running ? 1 : 0;
}
VBMP3_API int32_t vbmp3_getVolume(int32_t* left, int32_t* right) {
    if (!g_running || !left || !right)
        return 0;
    *left = g_left;
    *right = g_right;
    return 1;
}
VBMP3_API int32_t vbmp3_setVolume(int32_t left, int32_t right) {
    if (!g_running)
        return 0;
    g_left = left < 0 ? 0 : left > 100 ? 100 : left;
    g_right = right < 0 ? 0 : right > 100 ? 100 : right;
    return 1;
}
VBMP3_API int32_t vbmp3_setEqualizer(int32_t) {
    return g_running ? 1 : 0;
}
VBMP3_API int32_t vbmp3_setKaraokeUse(int32_t) {
    return g_running ? 1 : 0;
}
VBMP3_API int32_t vbmp3_useAtMarkTag(int32_t) {
    return g_running ? 1 : 0;
}
VBMP3_API int32_t vbmp3_setLyricsNextAdjustTime(int32_t) {
    return g_running ? 1 : 0;
}
VBMP3_API int16_t vbmp3_open(const char*, Vbmp3TrackInfo*) {
    g_lastError = g_running ? VBMP3_ERR_NOT_AUDIO : VBMP3_ERR_NOT_INITIALISED;
    return 0;
}
VBMP3_API int32_t vbmp3_getLastErrorNo(void) {
    return g_lastError;
}
VBMP3_API int32_t vbmp3_stop(void) {
    return g_running ? 1 : 0;
}
VBMP3_API int32_t vbmp3_play(void) {
    return 0;
}
VBMP3_API int32_t vbmp3_pause(void) {
    return 0;
}
VBMP3_API int32_t vbmp3_restart(void) {
    return 0;
}
VBMP3_API int32_t vbmp3_seek(int32_t) {
    return 0;
}
VBMP3_API int32_t vbmp3_getState(int32_t* pos) {
    if (pos)
        *pos = 0;
    return 0;
}
VBMP3_API int32_t vbmp3_getWave(int32_t*, int32_t*) {
    return 0;
}
VBMP3_API int32_t vbmp3_getSpectrum(int32_t*, int32_t*) {
    return 0;
}
VBMP3_API int32_t vbmp3_stopCallback(void) {
    return g_running ? 1 : 0;
}
VBMP3_API int32_t vbmp3_free(void) {
    g_running = false;
    return 1;
}
