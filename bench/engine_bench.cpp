// Figures for the playback engine: decode speed against mpg123, open time,
// seek latency, CPU while playing, and peak memory for one and ten hours.
// Run by hand (see README.md); prints figures, asserts nothing.
#include "bench_files.h"
#include "bench_measure.h"
#include "engine.h"
#include "track.h"
#include "vbmp3.h"
#include "vbmp3_probe.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using bench::cpuSeconds;
using bench::percentile;
using bench::processCpuSeconds;
using bench::steadyNs;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Timing {
    double wall = 0.0;
    double cpu = 0.0;
};

// The engine's decoding path, alone: a Track read in the ring's block size.
Timing engineDecode(const std::string& path, std::int64_t& frames) {
    const auto start = Clock::now();
    const double cpuStart = processCpuSeconds();
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
    return {secondsSince(start), processCpuSeconds() - cpuStart};
}

Timing mpg123Decode(const std::string& path) {
    const char* argv[] = {"mpg123", "-q", "-t", path.c_str(), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "mpg123", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
        std::fprintf(stderr, "cannot run mpg123 (apt-get install mpg123)\n");
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {secondsSince(start), cpuSeconds(usage)};
}

void benchDecode(const std::string& path) {
    constexpr int kRuns = 3;
    Timing engine{1e9, 1e9};
    Timing reference{1e9, 1e9};
    std::int64_t frames = 0;
    for (int run = 0; run < kRuns; ++run) {
        const Timing e = engineDecode(path, frames);
        const Timing m = mpg123Decode(path);
        engine = {std::min(engine.wall, e.wall), std::min(engine.cpu, e.cpu)};
        reference = {std::min(reference.wall, m.wall), std::min(reference.cpu, m.cpu)};
    }
    std::printf("decode, one-hour 128 kbit/s MP3 (%.1f s of audio), best of %d:\n",
                double(frames) / 44100.0, kRuns);
    std::printf("  engine      %6.2f s wall  %6.2f s CPU  (%.0fx real time)\n", engine.wall,
                engine.cpu, 3600.0 / engine.wall);
    std::printf("  mpg123 -t   %6.2f s wall  %6.2f s CPU\n", reference.wall, reference.cpu);
    std::printf("  ratio engine/mpg123: %.2f wall, %.2f CPU (target <= 1)\n",
                engine.wall / reference.wall, engine.cpu / reference.cpu);
}

void benchOpen(const std::string& oneHour, const std::string& tenHours) {
    vbmp3_init();
    for (const std::string* path : {&oneHour, &tenHours}) {
        std::vector<double> ms;
        Vbmp3TrackInfo info{};
        for (int i = 0; i < 10; ++i) {
            const auto start = Clock::now();
            if (!vbmp3_open(path->c_str(), &info)) {
                std::fprintf(stderr, "open failed: %d\n", vbmp3_getLastErrorNo());
                std::exit(1);
            }
            ms.push_back(secondsSince(start) * 1000.0);
        }
        std::printf("open %s: median %.2f ms, max %.2f ms (totalSec %d, %d kbit/s)\n",
                    path == &oneHour ? "one hour " : "ten hours", percentile(ms, 0.5),
                    percentile(ms, 1.0), info.totalSec, info.bitRate);
    }
    vbmp3_free();
}

// From the call to the moment the output callback hands the device the first
// frames of the new position (the engine stamps that moment).
bool seekLatency(std::int32_t sec, double& latencyMs, double& callMs) {
    const std::int64_t t0 = steadyNs();
    vbmp3_seek(sec);
    callMs = double(steadyNs() - t0) / 1e6;
    Vbmp3Probe probe{};
    vbmp3probe_read(&probe);
    const std::uint32_t generation = probe.generation;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        vbmp3probe_read(&probe);
        if (probe.heardGeneration == generation) {
            latencyMs = double(probe.heardAtNs - t0) / 1e6;
            return true;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
}

void waitHeard() {
    Vbmp3Probe probe{};
    for (int i = 0; i < 30000; ++i) {
        vbmp3probe_read(&probe);
        if (probe.heardGeneration == probe.generation)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// A fresh engine playing path, once its first frames are being heard. A file
// that does not open ends the benchmark: every figure after it would be void.
void startPlaying(const std::string& path) {
    vbmp3_init();
    Vbmp3TrackInfo info{};
    if (!vbmp3_open(path.c_str(), &info)) {
        std::fprintf(stderr, "open failed: %s: %d\n", path.c_str(), vbmp3_getLastErrorNo());
        std::exit(1);
    }
    vbmp3_play();
    waitHeard();
}

void benchSeek(const std::string& path) {
    startPlaying(path);
    // Read up to ten minutes in, then seek about inside that part.
    double latency = 0.0;
    double call = 0.0;
    seekLatency(600, latency, call);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    std::mt19937 random(3);
    std::vector<double> inside;
    std::vector<double> calls;
    for (int i = 0; i < 40; ++i) {
        const auto sec = static_cast<std::int32_t>(random() % 590);
        if (!seekLatency(sec, latency, call))
            continue;
        inside.push_back(latency);
        calls.push_back(call);
        std::this_thread::sleep_for(std::chrono::milliseconds(150 + random() % 100));
    }
    vbmp3_free();

    std::vector<double> beyond;
    for (std::int32_t target : {900, 1800, 2700, 3500}) {
        startPlaying(path);
        if (seekLatency(target, latency, call)) {
            beyond.push_back(latency);
            calls.push_back(call);
        }
        vbmp3_free();
    }
    std::printf("seek, call to first new frames handed to the device (SDL %s driver):\n",
                std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "default");
    std::printf("  inside the part read (%zu seeks): median %.1f ms, 90%% %.1f ms, max %.1f ms "
                "(target < 30)\n",
                inside.size(), percentile(inside, 0.5), percentile(inside, 0.9),
                percentile(inside, 1.0));
    std::printf("  beyond it, to 15/30/45/58 min of a fresh open:");
    for (double ms : beyond)
        std::printf(" %.1f", ms);
    std::printf(" ms\n  vbmp3_seek itself returned within %.3f ms (max of all)\n",
                percentile(calls, 1.0));
}

// Silences of 2 ms or more between the first and the last sound of a capture
// of the disk driver (stereo float): what a listener would hear as a gap.
struct Gaps {
    int count = 0;
    double longestMs = 0.0;
};

Gaps gapsIn(const std::string& capture, int sampleRate) {
    std::ifstream in(capture, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    const std::size_t frames = samples.size() / 2;
    auto silent = [&](std::size_t i) {
        return std::fabs(samples[2 * i]) < 1e-3f && std::fabs(samples[2 * i + 1]) < 1e-3f;
    };
    std::size_t first = 0;
    std::size_t end = frames;
    while (first < end && silent(first))
        ++first;
    while (end > first && silent(end - 1))
        --end;
    Gaps gaps;
    std::size_t run = 0;
    for (std::size_t i = first; i <= end; ++i) {
        if (i < end && silent(i)) {
            ++run;
            continue;
        }
        const double ms = 1000.0 * double(run) / sampleRate;
        if (ms >= 2.0)
            ++gaps.count;
        gaps.longestMs = std::max(gaps.longestMs, ms);
        run = 0;
    }
    return gaps;
}

struct JumpRun {
    Gaps gaps;
    long long underruns = 0;
    std::vector<double> delays; // seek call to the new sound at the output, ms
    bool device = false;
};

// 30 jumps back 5 s while a steady tone plays through SDL's disk driver, which
// writes what the device is handed, as the listener hears it.
JumpRun jumpsBackHeard(int sampleRate, int channels, std::mt19937& random) {
    const std::string path = bench::toneFile(sampleRate, channels);
    const std::string capture = bench::cacheDir() + "/jumps-capture.raw";
    const std::string driver = std::getenv("SDL_AUDIODRIVER");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    startPlaying(path);
    double latency = 0.0;
    double call = 0.0;
    seekLatency(50, latency, call);
    JumpRun run;
    while (run.delays.size() < 30) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200 + random() % 200));
        std::int32_t pos = 0;
        vbmp3_getState(&pos);
        const bool back = pos >= 5;
        if (seekLatency(back ? pos - 5 : 50, latency, call) && back)
            run.delays.push_back(latency);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Vbmp3Probe probe{};
    vbmp3probe_read(&probe);
    run.underruns = probe.underruns;
    run.device = vbmp3_getOutputState() == VBMP3_OUTPUT_DEVICE;
    vbmp3_stop();
    vbmp3_free(); // closes the capture
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    unsetenv("SDL_DISKAUDIOFILE");
    run.gaps = gapsIn(capture, sampleRate);
    std::remove(capture.c_str());
    return run;
}

// Jumps back 5 s while playing, as a repeat loop or the back key does, at
// every rate from 8 to 96 kHz, mono and stereo: the sound after each jump
// must follow without a gap and without an underrun.
void benchJumpsBack() {
    std::printf("30 jumps back 5 s while a tone plays (every 200-400 ms; a jump ahead to 50 s "
                "whenever fewer than 5 s lie behind), captured by SDL's disk driver:\n");
    std::mt19937 random(11);
    for (int rate : {8000, 11025, 16000, 22050, 32000, 44100, 48000, 88200, 96000}) {
        for (int channels : {1, 2}) {
            const JumpRun run = jumpsBackHeard(rate, channels, random);
            std::printf("  %5d Hz %-6s %s: gaps >= 2 ms %d (longest silence %.1f ms), underruns "
                        "%lld; seek to sound median %.1f ms, max %.1f ms%s\n",
                        rate, channels == 1 ? "mono" : "stereo", rate <= 48000 ? "MP3" : "WAV",
                        run.gaps.count, run.gaps.longestMs, run.underruns,
                        percentile(run.delays, 0.5), percentile(run.delays, 1.0),
                        run.device ? "" : " (no device!)");
        }
    }
}

// Silent play keeps the pace of a sound card: the null output's frames
// against steady-clock time over 20 s.
void benchPace() {
    std::printf("pace of silent play (null output), frames handed out per second of steady "
                "clock over 20 s:\n");
    for (int rate : {8000, 44100}) {
        startPlaying(bench::speechWav(rate));
        Vbmp3Probe first{};
        vbmp3probe_read(&first);
        const auto start = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(20));
        Vbmp3Probe last{};
        vbmp3probe_read(&last);
        const double seconds = secondsSince(start);
        vbmp3_free();
        std::printf("  %6d Hz: %.4f of real time\n", rate,
                    double(last.framesOut - first.framesOut) / rate / seconds);
    }
}

void benchCpu(const std::string& path, int seconds) {
    startPlaying(path);
    std::array<std::int32_t, 256> a{};
    std::array<std::int32_t, 256> b{};
    const auto start = Clock::now();
    const double cpuStart = processCpuSeconds();
    double slowestCallMs = 0.0;
    for (int tick = 0; tick < seconds * 10; ++tick) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(100 * (tick + 1)));
        const auto callStart = Clock::now();
        std::int32_t pos = 0;
        vbmp3_getState(&pos);
        vbmp3_getWave(a.data(), b.data());
        vbmp3_getSpectrum(a.data(), b.data());
        slowestCallMs = std::max(slowestCallMs, secondsSince(callStart) * 1000.0);
    }
    const double cpu = processCpuSeconds() - cpuStart;
    const double wall = secondsSince(start);
    Vbmp3Probe probe{};
    vbmp3probe_read(&probe);
    vbmp3_free();
    std::printf("CPU while playing the MP3, state+wave+spectrum read every 100 ms, over %d s:\n",
                seconds);
    std::printf("  %.3f s CPU per minute of playback = %.2f%% of one core (target < 1%%); "
                "underruns %lld; slowest poll %.2f ms\n",
                cpu * 60.0 / wall, 100.0 * cpu / wall, static_cast<long long>(probe.underruns),
                slowestCallMs);
}

long statusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t n = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, n, field) == 0)
            return std::atol(line.c_str() + n + 1);
    return -1;
}

// In a child process of its own, so each file's peak is its own.
int memoryChild(const std::string& path) {
    vbmp3_init();
    Vbmp3TrackInfo info{};
    if (!vbmp3_open(path.c_str(), &info))
        return 1;
    vbmp3_play();
    std::array<std::int32_t, 256> a{};
    std::array<std::int32_t, 256> b{};
    auto playFor = [&](int tenths) {
        for (int i = 0; i < tenths; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            std::int32_t pos = 0;
            vbmp3_getState(&pos);
            vbmp3_getWave(a.data(), b.data());
            vbmp3_getSpectrum(a.data(), b.data());
        }
    };
    playFor(30);
    vbmp3_seek(info.totalSec - 60); // the decoder reads its way through the whole file
    waitHeard();
    playFor(30);
    vbmp3_seek(info.totalSec / 2);
    waitHeard();
    playFor(20);
    std::printf("%d %ld %ld\n", info.totalSec, statusKb("VmHWM:"), statusKb("VmRSS:"));
    vbmp3_free();
    return 0;
}

void benchMemory(const char* self, const std::string& oneHour, const std::string& tenHours) {
    std::printf("peak memory (VmHWM) of a process playing, seeking near the end and back:\n");
    for (const std::string* path : {&oneHour, &tenHours}) {
        const std::string command = std::string(self) + " --memory-child '" + *path + "'";
        FILE* child = popen(command.c_str(), "r");
        int totalSec = 0;
        long peakKb = 0;
        long rssKb = 0;
        if (!child || std::fscanf(child, "%d %ld %ld", &totalSec, &peakKb, &rssKb) != 3) {
            std::fprintf(stderr, "memory child failed\n");
            std::exit(1);
        }
        pclose(child);
        std::printf("  %-9s (%5d s): peak %6.1f MB, at the end %6.1f MB\n",
                    path == &oneHour ? "one hour" : "ten hours", totalSec, peakKb / 1024.0,
                    rssKb / 1024.0);
    }
}

} // namespace

int main(int argc, char** argv) {
    // Without a sound card SDL would pick no driver and the engine falls back
    // to the dummy one anyway; saying so keeps the figures comparable.
    setenv("SDL_AUDIODRIVER",
           std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "dummy", 1);
    if (argc == 3 && std::strcmp(argv[1], "--memory-child") == 0)
        return memoryChild(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "--jumps") == 0) {
        benchJumpsBack();
        benchPace();
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--seek") == 0) {
        benchSeek(bench::oneHourMp3());
        benchPace();
        return 0;
    }
    int cpuSeconds = 20;
    if (argc == 3 && std::strcmp(argv[1], "--cpu-seconds") == 0)
        cpuSeconds = std::max(5, std::atoi(argv[2]));

    const std::string oneHour = bench::oneHourMp3();
    const std::string tenHours = bench::tenHourMp3();
    std::printf("files in %s\n\n", bench::cacheDir().c_str());
    benchDecode(oneHour);
    benchOpen(oneHour, tenHours);
    benchSeek(oneHour);
    benchJumpsBack();
    benchPace();
    benchCpu(oneHour, cpuSeconds);
    std::array<char, 4096> self{};
    if (readlink("/proc/self/exe", self.data(), self.size() - 1) <= 0)
        return 1;
    benchMemory(self.data(), oneHour, tenHours);
    return 0;
}
