#include "bench_files.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <random>
#include <sndfile.h>
#include <stdexcept>
#include <sys/stat.h>
#include <vector>

namespace bench {
namespace {

bool exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && st.st_size > 0;
}

void writeSpeechLike(const std::string& path, double seconds, int sampleRate, int format) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = format;
    const std::string partial = path + ".part";
    SNDFILE* file = sf_open(partial.c_str(), SFM_WRITE, &info);
    if (!file)
        throw std::runtime_error("cannot write " + partial);
    if ((format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG) {
        int mode = SF_BITRATE_MODE_CONSTANT;
        double level = 0.65; // lame's 128 kbit/s step
        sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }

    std::mt19937 random(7);
    std::normal_distribution<float> breath(0.0f, 1.0f);
    constexpr int kBlock = 4096;
    std::vector<float> block(2 * kBlock);
    const auto frames = static_cast<long long>(seconds * sampleRate);
    double phase = 0.0;
    for (long long done = 0; done < frames; done += kBlock) {
        for (int i = 0; i < kBlock; ++i) {
            const double t = double(done + i) / sampleRate;
            const double pitch = 140.0 + 40.0 * std::sin(2.0 * std::numbers::pi * 0.31 * t) +
                                 15.0 * std::sin(2.0 * std::numbers::pi * 1.7 * t);
            phase += 2.0 * std::numbers::pi * pitch / sampleRate;
            if (phase > 2.0 * std::numbers::pi * 1000.0)
                phase -= 2.0 * std::numbers::pi * 1000.0;
            // Syllables about four a second, a pause every few seconds.
            const double syllable =
                std::pow(std::max(0.0, std::sin(2.0 * std::numbers::pi * 2.1 * t)), 2);
            const double phrase = std::fmod(t, 5.0) < 4.2 ? 1.0 : 0.0;
            double voiced = 0.0;
            for (int k = 1; k <= 12; ++k)
                voiced += std::sin(k * phase) / k;
            const double s = phrase * syllable * (0.22 * voiced + 0.03 * breath(random));
            block[2 * i] = static_cast<float>(s);
            block[2 * i + 1] = static_cast<float>(0.9 * s);
        }
        sf_writef_float(file, block.data(), kBlock);
    }
    if (sf_close(file) != 0 || std::rename(partial.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot finish " + path);
}

// Length of the MPEG-1 Layer III frame starting at p (0 if none).
std::size_t frameBytes(const unsigned char* p) {
    static const int kKbps[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                  112, 128, 160, 192, 224, 256, 320, 0};
    static const int kRates[4] = {44100, 48000, 32000, 0};
    if (p[0] != 0xFF || (p[1] & 0xFE) != 0xFA)
        return 0;
    const int kbps = kKbps[p[2] >> 4];
    const int rate = kRates[(p[2] >> 2) & 3];
    if (kbps == 0 || rate == 0)
        return 0;
    return static_cast<std::size_t>(144 * kbps * 1000 / rate + ((p[2] >> 1) & 1));
}

void writeTone(const std::string& path, int sampleRate, int channels, int format) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = format;
    const std::string partial = path + ".part";
    SNDFILE* file = sf_open(partial.c_str(), SFM_WRITE, &info);
    if (!file)
        throw std::runtime_error("cannot write " + partial);
    constexpr int kBlock = 4096;
    std::vector<float> block(static_cast<std::size_t>(kBlock * channels));
    for (long long done = 0; done < 60LL * sampleRate; done += kBlock) {
        for (int i = 0; i < kBlock; ++i) {
            const double t = double(done + i) / sampleRate;
            // A slow swell keeps the encoder honest; it never reaches silence.
            const double level = 0.3 + 0.1 * std::sin(2.0 * std::numbers::pi * 0.7 * t);
            for (int c = 0; c < channels; ++c)
                block[static_cast<std::size_t>(i * channels + c)] = static_cast<float>(
                    level * std::sin(2.0 * std::numbers::pi * (440.0 + 110.0 * c) * t));
        }
        sf_writef_float(file, block.data(), kBlock);
    }
    if (sf_close(file) != 0 || std::rename(partial.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot finish " + path);
}

} // namespace

std::string toneFile(int sampleRate, int channels) {
    const bool mpeg = sampleRate <= 48000;
    const std::string path = cacheDir() + "/tone-1min-" + std::to_string(sampleRate) + "-" +
                             std::to_string(channels) + (mpeg ? "ch.mp3" : "ch.wav");
    if (!exists(path))
        writeTone(path, sampleRate, channels,
                  mpeg ? SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III
                       : SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    return path;
}

std::string cacheDir() {
    const char* env = std::getenv("HEARVEX_BENCH_DIR");
    std::string dir = env && *env ? env : "/tmp/hearvex-bench";
    mkdir(dir.c_str(), 0755);
    return dir;
}

std::string oneHourMp3() {
    const std::string path = cacheDir() + "/speech-1h-128k.mp3";
    if (!exists(path)) {
        std::printf("generating %s (once; about two minutes)...\n", path.c_str());
        std::fflush(stdout);
        writeSpeechLike(path, 3600.0, 44100, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
    }
    return path;
}

std::string speechMp3(int seconds) {
    const std::string path = cacheDir() + "/speech-" + std::to_string(seconds) + "s-128k.mp3";
    if (!exists(path))
        writeSpeechLike(path, seconds, 44100, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
    return path;
}

std::string speechWav(int sampleRate) {
    const std::string path = cacheDir() + "/speech-1min-" + std::to_string(sampleRate) + ".wav";
    if (!exists(path))
        writeSpeechLike(path, 60.0, sampleRate, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    return path;
}

std::string tenHourMp3() {
    const std::string path = cacheDir() + "/speech-10h-128k.mp3";
    if (exists(path))
        return path;
    const std::string source = oneHourMp3();
    std::ifstream in(source, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Drop the leading Xing/Info frame: it would give the length as one hour.
    std::size_t start = 0;
    if (bytes.size() > 64) {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
        const std::size_t first = frameBytes(p);
        const std::string tagAt36(bytes.data() + 36, 4);
        if (first > 0 && (tagAt36 == "Info" || tagAt36 == "Xing"))
            start = first;
    }
    std::printf("writing %s...\n", path.c_str());
    std::fflush(stdout);
    const std::string partial = path + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        for (int copy = 0; copy < 10; ++copy)
            out.write(bytes.data() + start, static_cast<std::streamsize>(bytes.size() - start));
        if (!out)
            throw std::runtime_error("cannot write " + partial);
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot finish " + path);
    return path;
}

} // namespace bench
