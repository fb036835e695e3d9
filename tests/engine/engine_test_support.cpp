#include "engine_test_support.h"

#include "vbmp3.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <numbers>
#include <random>
#include <sndfile.h>
#include <sstream>
#include <vector>

namespace enginetest {

double steppedFrequency(int second, int sampleRate) {
    return (20.0 + 10.0 * second) * sampleRate / 512.0;
}

TempDir::TempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/hearvex-engine-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void writeSound(const std::string& path, const Sound& sound) {
    SF_INFO info{};
    info.samplerate = sound.sampleRate;
    info.channels = sound.channels;
    info.format = sound.format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
    if (sound.constantBitRate) {
        int mode = SF_BITRATE_MODE_CONSTANT;
        double level = 0.65; // lame's 128 kbit/s step
        sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }
    if (!sound.title.empty())
        sf_set_string(file, SF_STR_TITLE, sound.title.c_str());
    if (!sound.artist.empty())
        sf_set_string(file, SF_STR_ARTIST, sound.artist.c_str());

    const auto frames = static_cast<sf_count_t>(std::llround(sound.seconds * sound.sampleRate));
    const int channels = sound.channels;
    std::vector<float> block(4096 * static_cast<std::size_t>(channels));
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    double phase = 0.0;
    for (sf_count_t done = 0; done < frames;) {
        const sf_count_t n = std::min<sf_count_t>(4096, frames - done);
        for (sf_count_t i = 0; i < n; ++i) {
            const sf_count_t frame = done + i;
            double frequency = sound.frequency;
            if (sound.signal == Signal::Stepped)
                frequency =
                    steppedFrequency(static_cast<int>(frame / sound.sampleRate), sound.sampleRate);
            const double value = std::sin(phase);
            phase += 2.0 * std::numbers::pi * frequency / sound.sampleRate;
            if (phase > 2.0 * std::numbers::pi)
                phase -= 2.0 * std::numbers::pi;
            for (int c = 0; c < channels; ++c) {
                const double a = sound.amplitude[std::min(c, 3)];
                float sample = 0.0f;
                if (sound.signal == Signal::Noise)
                    sample = static_cast<float>(a) * noise(random);
                else if (sound.signal != Signal::Silence)
                    sample = static_cast<float>(a * value);
                block[static_cast<std::size_t>(i * channels + c)] = sample;
            }
        }
        ASSERT_EQ(sf_writef_float(file, block.data(), n), n);
        done += n;
    }
    ASSERT_EQ(sf_close(file), 0);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

namespace {

std::string bigEndian32(std::uint32_t v) {
    return {char(v >> 24), char((v >> 16) & 0xFF), char((v >> 8) & 0xFF), char(v & 0xFF)};
}

std::string syncSafe(std::uint32_t v) {
    return {char((v >> 21) & 0x7F), char((v >> 14) & 0x7F), char((v >> 7) & 0x7F), char(v & 0x7F)};
}

std::string utf16WithBom(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

} // namespace

std::string id3v23Utf16(const std::u16string& title, const std::u16string& artist) {
    auto frame = [](const std::string& id, const std::string& payload) {
        return id + bigEndian32(static_cast<std::uint32_t>(payload.size())) + std::string(2, '\0') +
               payload;
    };
    std::string body = frame("TIT2", "\x01" + utf16WithBom(title));
    if (!artist.empty())
        body += frame("TPE1", "\x01" + utf16WithBom(artist));
    body += std::string(16, '\0'); // padding, as taggers leave it
    return std::string("ID3\x03\x00\x00", 6) + syncSafe(static_cast<std::uint32_t>(body.size())) +
           body;
}

std::string id3v24Utf8(const std::string& title) {
    const std::string payload = "\x03" + title;
    const std::string body = "TIT2" + syncSafe(static_cast<std::uint32_t>(payload.size())) +
                             std::string(2, '\0') + payload;
    return std::string("ID3\x04\x00\x00", 6) + syncSafe(static_cast<std::uint32_t>(body.size())) +
           body;
}

State engineState() {
    State s{};
    s.code = vbmp3_getState(&s.pos);
    return s;
}

Peak spectrumPeak(bool rightChannel) {
    std::array<std::int32_t, 256> left{};
    std::array<std::int32_t, 256> right{};
    vbmp3_getSpectrum(left.data(), right.data());
    const auto& levels = rightChannel ? right : left;
    const auto top = std::max_element(levels.begin(), levels.end());
    return {static_cast<int>(top - levels.begin()), *top};
}

int waveMax(bool rightChannel) {
    std::array<std::int32_t, 256> left{};
    std::array<std::int32_t, 256> right{};
    vbmp3_getWave(left.data(), right.data());
    int top = 0;
    for (std::int32_t v : rightChannel ? right : left)
        top = std::max(top, std::abs(v));
    return top;
}

int threadCount() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

void EngineTest::SetUp() {
    ASSERT_EQ(vbmp3_init(), 1);
}

void EngineTest::TearDown() {
    vbmp3_stop();
    vbmp3_stopCallback();
    vbmp3_free();
}

} // namespace enginetest
