// Helpers for the engine tests: recordings generated on the spot, a scratch
// folder, and polling with a deadline instead of fixed sleeps.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <sndfile.h>
#include <string>
#include <thread>

namespace enginetest {

enum class Signal { Sine, Silence, Noise, Stepped };

struct Sound {
    int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    int sampleRate = 44100;
    int channels = 2;
    double seconds = 2.0;
    Signal signal = Signal::Sine;
    double frequency = 1000.0;
    // Peak amplitude per channel (1 = full scale); channel 0 also for mono.
    double amplitude[4] = {0.5, 0.5, 0.5, 0.5};
    std::string title;
    std::string artist;
    bool constantBitRate = false; // MP3 only: 128 kbit/s CBR
};

// Stepped signal: second s holds a sine centred in FFT bin 20 + 10 * s.
double steppedFrequency(int second, int sampleRate);

inline constexpr int kWav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
inline constexpr int kWavU8 = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;
inline constexpr int kWav24 = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
inline constexpr int kWavFloat = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
inline constexpr int kMp3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
inline constexpr int kFlac = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
inline constexpr int kVorbis = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
inline constexpr int kOpus = SF_FORMAT_OGG | SF_FORMAT_OPUS;

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Writes the sound with libsndfile; fails the current test on error.
void writeSound(const std::string& path, const Sound& sound);

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

// ID3v2 tags to put in front of an MP3.
std::string id3v23Utf16(const std::u16string& title, const std::u16string& artist);
std::string id3v24Utf8(const std::string& title);

// Polls pred every few milliseconds until it holds or the deadline passes.
template <typename Pred>
bool waitUntil(Pred pred, std::chrono::milliseconds deadline = std::chrono::seconds(15)) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return pred();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

struct State {
    std::int32_t code;
    std::int32_t pos;
};
State engineState();

// The peak bin and its level over the latest spectrum of one channel.
struct Peak {
    int bin;
    int level;
};
Peak spectrumPeak(bool rightChannel);
// The largest magnitude in the latest wave of one channel.
int waveMax(bool rightChannel);

// The number of threads of this process.
int threadCount();

// A fixture with the engine started for each test and released after it.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

} // namespace enginetest
