// The playback engine as the windows see it: the vbmp3 entry points, one
// virtual call each, so that a test can hand the windows a scripted engine in
// place of the real library. Arguments, units and results are the library's.
#pragma once

#include "vbmp3.h"

#include <cstdint>
#include <memory>

namespace hearvex {

class EngineApi {
public:
    virtual ~EngineApi() = default;

    virtual int32_t init() = 0;
    virtual int32_t getWaveOutSupport() = 0;
    virtual int32_t getVolume(int32_t* left, int32_t* right) = 0;
    virtual int32_t setVolume(int32_t left, int32_t right) = 0;
    virtual int32_t setEqualizer(int32_t mode) = 0;
    virtual int32_t setKaraokeUse(int32_t on) = 0;
    virtual int32_t useAtMarkTag(int32_t on) = 0;
    virtual int32_t setLyricsNextAdjustTime(int32_t ms) = 0;
    virtual int16_t open(const char* path, Vbmp3TrackInfo* info) = 0;
    virtual int32_t getLastErrorNo() = 0;
    virtual int32_t stop() = 0;
    virtual int32_t play() = 0;
    virtual int32_t pause() = 0;
    virtual int32_t restart() = 0;
    virtual int32_t seek(int32_t sec) = 0;
    virtual int32_t getState(int32_t* pos) = 0;
    virtual int32_t getWave(int32_t* first, int32_t* second) = 0;
    virtual int32_t getSpectrum(int32_t* first, int32_t* second) = 0;
    virtual int32_t getOutputState() = 0;
    virtual int32_t setSpeed(int32_t percent) = 0;
    virtual int32_t getSpeed() = 0;
    virtual int32_t stopCallback() = 0;
    virtual int32_t free() = 0;
};

// The real library, libvbmp3.
std::unique_ptr<EngineApi> makeVbmp3Engine();

} // namespace hearvex
