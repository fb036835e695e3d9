// Figures for recordings the engine decodes through FFmpeg: an hour of M4A
// (AAC, 128 kbit/s) decoded by the engine against `ffmpeg -i x.m4a -f null -`,
// the open and seek times in it, and the same for raw ADTS AAC, which has no
// index and whose length is measured at open. Run by hand (see README.md);
// prints figures, asserts nothing.
#include "bench_files.h"
#include "bench_measure.h"
#include "engine.h"
#include "track.h"
#include "vbmp3.h"
#include "vbmp3_probe.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using bench::percentile;
using bench::steadyNs;

struct Timing {
    double wall = 0.0;
    double cpu = 0.0;
};

bool exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && st.st_size > 0;
}

// Runs ffmpeg with args; its wall and CPU time.
Timing runFfmpeg(std::vector<std::string> args) {
    args.insert(args.begin(), {"ffmpeg", "-nostdin", "-loglevel", "error", "-y"});
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const std::int64_t start = steadyNs();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "ffmpeg", nullptr, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot run ffmpeg\n");
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "ffmpeg failed\n");
        std::exit(1);
    }
    return {double(steadyNs() - start) / 1e9, bench::cpuSeconds(usage)};
}

// The benchmark's one-hour speech, as M4A and as raw ADTS (the same AAC).
std::string oneHourM4a() {
    const std::string path = bench::cacheDir() + "/speech-1h-128k.m4a";
    if (!exists(path)) {
        std::printf("encoding %s (once; a few minutes)...\n", path.c_str());
        std::fflush(stdout);
        runFfmpeg({"-i", bench::oneHourMp3(), "-c:a", "aac", "-b:a", "128k", "-movflags",
                   "+faststart", path + ".part.m4a"});
        std::rename((path + ".part.m4a").c_str(), path.c_str());
    }
    return path;
}

std::string oneHourAdts() {
    const std::string path = bench::cacheDir() + "/speech-1h-128k.aac";
    if (!exists(path)) {
        runFfmpeg({"-i", oneHourM4a(), "-c:a", "copy", "-f", "adts", path + ".part"});
        std::rename((path + ".part").c_str(), path.c_str());
    }
    return path;
}

// The engine's decoding path alone: a Track read in the ring's block size.
Timing engineDecode(const std::string& path, std::int64_t& frames) {
    const std::int64_t start = steadyNs();
    const double cpuStart = bench::processCpuSeconds();
    std::int32_t error = 0;
    auto track = vbmp3::Track::open(path.c_str(), error);
    if (!track) {
        std::fprintf(stderr, "cannot open %s: %d\n", path.c_str(), error);
        std::exit(1);
    }
    std::vector<float> block(2 * vbmp3::AudioBlock::kFrames);
    frames = 0;
    for (std::int64_t got; (got = track->read(block.data(), vbmp3::AudioBlock::kFrames)) > 0;)
        frames += got;
    return {double(steadyNs() - start) / 1e9, bench::processCpuSeconds() - cpuStart};
}

void benchDecode(const std::string& path) {
    constexpr int kRuns = 2;
    Timing engine{1e9, 1e9};
    Timing reference{1e9, 1e9};
    std::int64_t frames = 0;
    for (int run = 0; run < kRuns; ++run) {
        const Timing e = engineDecode(path, frames);
        const Timing f = runFfmpeg({"-i", path, "-f", "null", "-"});
        engine = {std::min(engine.wall, e.wall), std::min(engine.cpu, e.cpu)};
        reference = {std::min(reference.wall, f.wall), std::min(reference.cpu, f.cpu)};
    }
    std::printf("decode, one-hour 128 kbit/s M4A (%.1f s of audio), best of %d:\n",
                double(frames) / 44100.0, kRuns);
    std::printf("  engine             %6.2f s wall  %6.2f s CPU\n", engine.wall, engine.cpu);
    std::printf("  ffmpeg -f null -   %6.2f s wall  %6.2f s CPU\n", reference.wall, reference.cpu);
    std::printf("  ratio engine/ffmpeg: %.2f wall, %.2f CPU\n", engine.wall / reference.wall,
                engine.cpu / reference.cpu);
}

void benchOpen(const char* name, const std::string& path) {
    vbmp3_init();
    std::vector<double> ms;
    Vbmp3TrackInfo info{};
    for (int i = 0; i < 5; ++i) {
        const std::int64_t start = steadyNs();
        if (!vbmp3_open(path.c_str(), &info)) {
            std::fprintf(stderr, "open failed: %d\n", vbmp3_getLastErrorNo());
            std::exit(1);
        }
        ms.push_back(double(steadyNs() - start) / 1e6);
    }
    vbmp3_free();
    std::printf("open %s: median %.1f ms, max %.1f ms (totalSec %d, %d kbit/s)\n", name,
                percentile(ms, 0.5), percentile(ms, 1.0), info.totalSec, info.bitRate);
}

// The decoder's seek alone (on the engine's decoding thread this is what a
// seek costs before the new sound can be decoded ahead).
void benchTrackSeek(const char* name, const std::string& path) {
    std::int32_t error = 0;
    auto track = vbmp3::Track::open(path.c_str(), error);
    if (!track)
        std::exit(1);
    std::mt19937 random(7);
    std::vector<double> ms;
    std::vector<float> block(2 * vbmp3::AudioBlock::kFrames);
    for (int i = 0; i < 40; ++i) {
        const std::int64_t frame = std::int64_t(random() % 3590) * track->facts().sampleRate;
        const std::int64_t start = steadyNs();
        if (!track->seek(frame) || track->read(block.data(), vbmp3::AudioBlock::kFrames) <= 0) {
            std::fprintf(stderr, "seek to %lld failed\n", static_cast<long long>(frame));
            std::exit(1);
        }
        ms.push_back(double(steadyNs() - start) / 1e6);
    }
    std::printf("seek %s, anywhere in the hour, to the first block decoded (40 seeks): median "
                "%.1f ms, 90%% %.1f ms, max %.1f ms\n",
                name, percentile(ms, 0.5), percentile(ms, 0.9), percentile(ms, 1.0));
}

// From vbmp3_seek to the first frames of the new position at the output.
void benchHeardSeek(const char* name, const std::string& path) {
    vbmp3_init();
    Vbmp3TrackInfo info{};
    if (!vbmp3_open(path.c_str(), &info) || !vbmp3_play())
        std::exit(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::mt19937 random(9);
    std::vector<double> ms;
    for (int i = 0; i < 30; ++i) {
        const std::int64_t t0 = steadyNs();
        vbmp3_seek(static_cast<std::int32_t>(random() % 3590));
        Vbmp3Probe probe{};
        vbmp3probe_read(&probe);
        const std::uint32_t generation = probe.generation;
        while (probe.heardGeneration != generation && steadyNs() - t0 < 10'000'000'000) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            vbmp3probe_read(&probe);
        }
        if (probe.heardGeneration == generation)
            ms.push_back(double(probe.heardAtNs - t0) / 1e6);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    vbmp3_free();
    std::printf("seek %s while playing, call to the new sound at the output (%zu seeks): median "
                "%.1f ms, max %.1f ms\n",
                name, ms.size(), percentile(ms, 0.5), percentile(ms, 1.0));
}

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER",
           std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "dummy", 1);
    const std::string m4a = oneHourM4a();
    const std::string adts = oneHourAdts();
    std::printf("files in %s\n\n", bench::cacheDir().c_str());
    if (argc < 2 || std::string(argv[1]) != "--no-decode")
        benchDecode(m4a);
    benchOpen("one-hour M4A ", m4a);
    benchOpen("one-hour ADTS", adts);
    benchTrackSeek("M4A ", m4a);
    benchTrackSeek("ADTS", adts);
    benchHeardSeek("M4A ", m4a);
    benchHeardSeek("ADTS", adts);
    return 0;
}
