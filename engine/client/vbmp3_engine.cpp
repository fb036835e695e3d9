#include "engine_api.h"

namespace hearvex {

namespace {

class Vbmp3Engine final : public EngineApi {
public:
    int32_t init() override { return vbmp3_init(); }
    int32_t getWaveOutSupport() override { return vbmp3_getWaveOutSupport(); }
    int32_t getVolume(int32_t* left, int32_t* right) override {
        return vbmp3_getVolume(left, right);
    }
    int32_t setVolume(int32_t left, int32_t right) override { return vbmp3_setVolume(left, right); }
    int32_t setEqualizer(int32_t mode) override { return vbmp3_setEqualizer(mode); }
    int32_t setKaraokeUse(int32_t on) override { return vbmp3_setKaraokeUse(on); }
    int32_t useAtMarkTag(int32_t on) override { return vbmp3_useAtMarkTag(on); }
    int32_t setLyricsNextAdjustTime(int32_t ms) override {
        return vbmp3_setLyricsNextAdjustTime(ms);
    }
    int16_t open(const char* path, Vbmp3TrackInfo* info) override { return vbmp3_open(path, info); }
    int32_t getLastErrorNo() override { return vbmp3_getLastErrorNo(); }
    int32_t stop() override { return vbmp3_stop(); }
    int32_t play() override { return vbmp3_play(); }
    int32_t pause() override { return vbmp3_pause(); }
    int32_t restart() override { return vbmp3_restart(); }
    int32_t seek(int32_t sec) override { return vbmp3_seek(sec); }
    int32_t getState(int32_t* pos) override { return vbmp3_getState(pos); }
    int32_t getWave(int32_t* first, int32_t* second) override {
        return vbmp3_getWave(first, second);
    }
    int32_t getSpectrum(int32_t* first, int32_t* second) override {
        return vbmp3_getSpectrum(first, second);
    }
    int32_t getOutputState() override { return vbmp3_getOutputState(); }
    int32_t setSpeed(int32_t percent) override { return vbmp3_setSpeed(percent); }
    int32_t getSpeed() override { return vbmp3_getSpeed(); }
    int32_t stopCallback() override { return vbmp3_stopCallback(); }
    int32_t free() override { return vbmp3_free(); }
};

} // namespace

std::unique_ptr<EngineApi> makeVbmp3Engine() {
    return std::make_unique<Vbmp3Engine>();
}

} // namespace hearvex
