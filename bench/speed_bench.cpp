// Figures for speed with the pitch kept: CPU of playing at 50, 100 and 150 %
// through the engine against mpv with its Rubber Band filter on the same
// file, in one run; and the delay from vbmp3_setSpeed to the changed sound
// at the output. Run by hand (see README.md); prints figures, asserts nothing.
#include "bench_files.h"
#include "bench_measure.h"
#include "vbmp3.h"
#include "vbmp3_probe.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using bench::cpuSeconds;
using bench::percentile;
using bench::processCpuSeconds;
using bench::steadyNs;

using Clock = std::chrono::steady_clock;

void waitHeard() {
    Vbmp3Probe probe{};
    for (int i = 0; i < 30000; ++i) {
        vbmp3probe_read(&probe);
        if (probe.heardGeneration == probe.generation)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// CPU seconds of the engine playing path at percent for wallSeconds, the
// state read every 100 ms as the player does.
double engineCpu(const std::string& path, int percent, int wallSeconds, std::int64_t& underruns) {
    vbmp3_init();
    vbmp3_setSpeed(percent);
    Vbmp3TrackInfo info{};
    if (!vbmp3_open(path.c_str(), &info)) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        std::exit(1);
    }
    vbmp3_play();
    waitHeard();
    const auto start = Clock::now();
    const double cpuStart = processCpuSeconds();
    for (int tick = 0; tick < wallSeconds * 10; ++tick) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(100 * (tick + 1)));
        std::int32_t pos = 0;
        vbmp3_getState(&pos);
    }
    const double cpu = processCpuSeconds() - cpuStart;
    Vbmp3Probe probe{};
    vbmp3probe_read(&probe);
    underruns = probe.underruns;
    vbmp3_free();
    return cpu;
}

// CPU seconds of mpv playing the same stretch of the file at percent.
double mpvCpu(const std::string& path, int percent, int wallSeconds) {
    const std::string speed = "--speed=" + std::to_string(percent / 100.0);
    const std::string length = "--length=" + std::to_string(wallSeconds * percent / 100.0);
    const char* argv[] = {"mpv",         "--no-config",  "--really-quiet",
                          "--no-video",  "--ao=null",    "--af=rubberband",
                          speed.c_str(), length.c_str(), path.c_str(),
                          nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "mpv", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
        std::fprintf(stderr, "cannot run mpv (apt-get install mpv)\n");
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return cpuSeconds(usage);
}

void benchCpu(const std::string& path, int wallSeconds) {
    std::printf("CPU playing %d s of wall time each, speech-like 44.1 kHz stereo MP3 "
                "(engine: null output in real time, state read every 100 ms; mpv --no-video "
                "--ao=null --af=rubberband):\n",
                wallSeconds);
    for (int percent : {50, 100, 150}) {
        std::int64_t underruns = 0;
        const double engine = engineCpu(path, percent, wallSeconds, underruns);
        const double mpv = mpvCpu(path, percent, wallSeconds);
        std::printf("  %3d %%: engine %5.2f s CPU (%4.1f%% of a core, underruns %lld), "
                    "mpv %5.2f s CPU (%4.1f%%), engine/mpv %.2f\n",
                    percent, engine, 100.0 * engine / wallSeconds,
                    static_cast<long long>(underruns), mpv, 100.0 * mpv / wallSeconds,
                    engine / mpv);
    }
}

// From the call to the first frames at the new speed handed to the output
// (the engine stamps that moment, as it does for a seek).
void benchChangeDelay(const std::string& path) {
    vbmp3_init();
    Vbmp3TrackInfo info{};
    vbmp3_open(path.c_str(), &info);
    vbmp3_play();
    waitHeard();
    std::vector<double> delays;
    std::vector<double> calls;
    const int speeds[] = {50, 150, 100, 75, 200, 100, 60, 125};
    for (int round = 0; round < 3; ++round) {
        for (int percent : speeds) {
            std::this_thread::sleep_for(std::chrono::milliseconds(700));
            const std::int64_t t0 = steadyNs();
            vbmp3_setSpeed(percent);
            calls.push_back(double(steadyNs() - t0) / 1e6);
            Vbmp3Probe probe{};
            vbmp3probe_read(&probe);
            const std::uint32_t generation = probe.generation;
            const auto deadline = Clock::now() + std::chrono::seconds(5);
            while (Clock::now() < deadline) {
                vbmp3probe_read(&probe);
                if (probe.heardGeneration == generation) {
                    delays.push_back(double(probe.heardAtNs - t0) / 1e6);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        }
    }
    Vbmp3Probe probe{};
    vbmp3probe_read(&probe);
    const std::int32_t output = vbmp3_getOutputState();
    vbmp3_free();
    std::printf("speed change, call to the first frames at the new speed handed to the output "
                "(%zu changes, %s):\n",
                delays.size(), output == VBMP3_OUTPUT_DEVICE ? "sound device" : "null output");
    std::printf("  median %.1f ms, 90%% %.1f ms, max %.1f ms (target < 100); vbmp3_setSpeed "
                "returned within %.3f ms; underruns %lld\n",
                percentile(delays, 0.5), percentile(delays, 0.9), percentile(delays, 1.0),
                percentile(calls, 1.0), static_cast<long long>(probe.underruns));
}

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER",
           std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "dummy", 1);
    const int wallSeconds =
        argc == 3 && std::string(argv[1]) == "--seconds" ? std::max(5, std::atoi(argv[2])) : 20;
    const std::string path = bench::speechMp3(600);
    std::printf("file %s\n\n", path.c_str());
    benchChangeDelay(path);
    benchCpu(path, wallSeconds);
    return 0;
}
