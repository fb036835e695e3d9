// An engine whose answers a test sets: state, position, volumes, the track
// record, refusals, wave and spectrum data. It behaves like the real engine
// where a test does not override it (play starts at 0, pause keeps the
// position, seek moves it) and records every call it receives, in order.
#pragma once

#include "engine_api.h"

#include <QString>
#include <array>
#include <map>
#include <string>
#include <vector>

namespace hearvex::testing {

class ScriptedEngine : public EngineApi {
public:
    // What the engine reports.
    int32_t state = 0;
    int32_t position = 0;
    int32_t volumeLeft = 100;
    int32_t volumeRight = 100;
    int32_t waveOutSupport = 1;
    int32_t lastErrorNo = 0;
    int32_t outputState = VBMP3_OUTPUT_DEVICE;
    int32_t speed = 100;
    std::array<int32_t, 256> waveFirst{}, waveSecond{};
    std::array<int32_t, 256> spectrumFirst{}, spectrumSecond{};

    // The tracks it opens, by path; any other path is refused with refusalErrorNo.
    void addTrack(const std::string& path, const std::string& name, int32_t totalSec);
    int32_t refusalErrorNo = 4;
    std::string openedPath;

    // Every call received, e.g. "init", "open /a.mp3", "setVolume 100 100", "seek 50".
    std::vector<std::string> calls;
    std::vector<std::string> callsNamed(const std::string& prefix) const;
    int count(const std::string& prefix) const;
    void clearCalls() { calls.clear(); }

    int32_t init() override;
    int32_t getWaveOutSupport() override;
    int32_t getVolume(int32_t* left, int32_t* right) override;
    int32_t setVolume(int32_t left, int32_t right) override;
    int32_t setEqualizer(int32_t mode) override;
    int32_t setKaraokeUse(int32_t on) override;
    int32_t useAtMarkTag(int32_t on) override;
    int32_t setLyricsNextAdjustTime(int32_t ms) override;
    int16_t open(const char* path, Vbmp3TrackInfo* info) override;
    int32_t getLastErrorNo() override;
    int32_t stop() override;
    int32_t play() override;
    int32_t pause() override;
    int32_t restart() override;
    int32_t seek(int32_t sec) override;
    int32_t getState(int32_t* pos) override;
    int32_t getWave(int32_t* first, int32_t* second) override;
    int32_t getSpectrum(int32_t* first, int32_t* second) override;
    int32_t getOutputState() override;
    int32_t setSpeed(int32_t percent) override;
    int32_t getSpeed() override;
    int32_t stopCallback() override;
    int32_t free() override;

private:
    std::map<std::string, Vbmp3TrackInfo> m_tracks;
    int32_t m_totalSec = 0;
    bool m_open = false;
};

} // namespace hearvex::testing
