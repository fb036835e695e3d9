#include "scripted_engine.h"

#include <algorithm>
#include <cstring>

namespace hearvex::testing {

void ScriptedEngine::addTrack(const std::string& path, const std::string& name, int32_t totalSec) {
    Vbmp3TrackInfo info{};
    std::memcpy(info.trackName, name.data(), std::min(name.size(), sizeof info.trackName));
    info.channels = 2;
    info.sampleRate = 44100;
    info.bitRate = 128;
    info.totalSec = totalSec;
    m_tracks[path] = info;
}

std::vector<std::string> ScriptedEngine::callsNamed(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (c.rfind(prefix, 0) == 0)
            out.push_back(c);
    return out;
}

int ScriptedEngine::count(const std::string& prefix) const {
    return static_cast<int>(callsNamed(prefix).size());
}

int32_t ScriptedEngine::init() {
    calls.push_back("init");
    return 1;
}

int32_t ScriptedEngine::getWaveOutSupport() {
    calls.push_back("getWaveOutSupport");
    return waveOutSupport;
}

int32_t ScriptedEngine::getVolume(int32_t* left, int32_t* right) {
    calls.push_back("getVolume");
    *left = volumeLeft;
    *right = volumeRight;
    return 1;
}

int32_t ScriptedEngine::setVolume(int32_t left, int32_t right) {
    calls.push_back("setVolume " + std::to_string(left) + " " + std::to_string(right));
    volumeLeft = left;
    volumeRight = right;
    return 1;
}

int32_t ScriptedEngine::setEqualizer(int32_t mode) {
    calls.push_back("setEqualizer " + std::to_string(mode));
    return 1;
}

int32_t ScriptedEngine::setKaraokeUse(int32_t on) {
    calls.push_back("setKaraokeUse " + std::to_string(on));
    return 1;
}

int32_t ScriptedEngine::useAtMarkTag(int32_t on) {
    calls.push_back("useAtMarkTag " + std::to_string(on));
    return 1;
}

int32_t ScriptedEngine::setLyricsNextAdjustTime(int32_t ms) {
    calls.push_back("setLyricsNextAdjustTime " + std::to_string(ms));
    return 1;
}

int16_t ScriptedEngine::open(const char* path, Vbmp3TrackInfo* info) {
    calls.push_back(std::string("open ") + path);
    const auto it = m_tracks.find(path);
    if (it == m_tracks.end()) {
        // As the engine does: a refused open leaves no track open.
        lastErrorNo = refusalErrorNo;
        m_open = false;
        state = 0;
        position = 0;
        return 0;
    }
    *info = it->second;
    m_totalSec = it->second.totalSec;
    openedPath = path;
    m_open = true;
    state = 0;
    position = 0;
    return 1;
}

int32_t ScriptedEngine::getLastErrorNo() {
    calls.push_back("getLastErrorNo");
    return lastErrorNo;
}

int32_t ScriptedEngine::stop() {
    calls.push_back("stop");
    state = 0;
    position = 0;
    return 1;
}

int32_t ScriptedEngine::play() {
    calls.push_back("play");
    if (m_open) {
        state = 1;
        position = 0;
    }
    return 1;
}

int32_t ScriptedEngine::pause() {
    calls.push_back("pause");
    if (state == 1)
        state = 2;
    return 1;
}

int32_t ScriptedEngine::restart() {
    calls.push_back("restart");
    if (state == 2)
        state = 1;
    return 1;
}

int32_t ScriptedEngine::seek(int32_t sec) {
    calls.push_back("seek " + std::to_string(sec));
    if (state == 0)
        return 1;
    if (sec >= m_totalSec) {
        state = 0;
        position = 0;
    } else {
        position = std::max(sec, 0);
    }
    return 1;
}

int32_t ScriptedEngine::getState(int32_t* pos) {
    calls.push_back("getState");
    *pos = position;
    return state;
}

int32_t ScriptedEngine::getWave(int32_t* first, int32_t* second) {
    calls.push_back("getWave");
    std::copy(waveFirst.begin(), waveFirst.end(), first);
    std::copy(waveSecond.begin(), waveSecond.end(), second);
    return 1;
}

int32_t ScriptedEngine::getSpectrum(int32_t* first, int32_t* second) {
    calls.push_back("getSpectrum");
    std::copy(spectrumFirst.begin(), spectrumFirst.end(), first);
    std::copy(spectrumSecond.begin(), spectrumSecond.end(), second);
    return 1;
}

int32_t ScriptedEngine::getOutputState() {
    calls.push_back("getOutputState");
    return outputState;
}

int32_t ScriptedEngine::setSpeed(int32_t percent) {
    calls.push_back("setSpeed " + std::to_string(percent));
    if (percent < 50 || percent > 200) {
        lastErrorNo = VBMP3_ERR_BAD_ARGUMENT;
        return 0;
    }
    speed = percent;
    return 1;
}

int32_t ScriptedEngine::getSpeed() {
    calls.push_back("getSpeed");
    return speed;
}

int32_t ScriptedEngine::stopCallback() {
    calls.push_back("stopCallback");
    return 1;
}

int32_t ScriptedEngine::free() {
    calls.push_back("free");
    m_open = false;
    state = 0;
    return 1;
}

} // namespace hearvex::testing
