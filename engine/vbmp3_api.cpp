// The C interface of vbmp3.h, over the engine: one engine per process, created by vbmp3_init and
// destroyed by vbmp3_free. A lock serialises the calls so that a stray call
// from another thread, or during vbmp3_free, cannot race; nothing holds it
// for long. No exception leaves this file.
#include "vbmp3.h"

#include "engine.h"
#include "vbmp3_probe.h"

#include <mutex>

#define VBMP3_API extern "C" __attribute__((visibility("default")))

namespace {

std::mutex g_lock;
// Deliberately never destroyed by static destructors: a program that exits
// without vbmp3_free must not have its audio threads torn down under it.
vbmp3::Engine* g_engine = nullptr;
std::int32_t g_lastError = VBMP3_ERR_NOT_INITIALISED;

struct Options {
    std::int32_t equalizer = 0;
    std::int32_t karaoke = 0;
    std::int32_t atMarkTag = 0;
    std::int32_t lyricsAdjustMs = 0;
} g_options;

// Runs body on the engine under the lock; body returns an error number.
template <typename Body> std::int32_t call(Body&& body) {
    std::lock_guard lock(g_lock);
    if (!g_engine) {
        g_lastError = VBMP3_ERR_NOT_INITIALISED;
        return 0;
    }
    std::int32_t error = VBMP3_ERR_NONE;
    try {
        error = body(*g_engine);
    } catch (...) {
        error = VBMP3_ERR_INTERNAL;
    }
    if (error != VBMP3_ERR_NONE) {
        g_lastError = error;
        return 0;
    }
    return 1;
}

} // namespace

VBMP3_API int32_t vbmp3_init(void) {
    std::lock_guard lock(g_lock);
    if (g_engine)
        return 1;
    try {
        g_engine = new vbmp3::Engine();
    } catch (...) {
        g_lastError = VBMP3_ERR_INTERNAL;
        return 0;
    }
    g_lastError = VBMP3_ERR_NONE;
    g_options = Options{};
    return 1;
}

VBMP3_API int32_t vbmp3_free(void) {
    std::lock_guard lock(g_lock);
    if (!g_engine) {
        g_lastError = VBMP3_ERR_NOT_INITIALISED;
        return 0;
    }
    // Joins the decoding thread, which closes the device; under the lock, so
    // that no call from another thread reaches a half-destroyed engine.
    delete g_engine;
    g_engine = nullptr;
    g_lastError = VBMP3_ERR_NOT_INITIALISED;
    return 1;
}

VBMP3_API int32_t vbmp3_getWaveOutSupport(void) {
    return call([](vbmp3::Engine&) -> std::int32_t { return VBMP3_ERR_NONE; });
}

VBMP3_API int32_t vbmp3_getVolume(int32_t* left, int32_t* right) {
    return call([&](vbmp3::Engine& engine) -> std::int32_t {
        if (!left || !right)
            return VBMP3_ERR_BAD_ARGUMENT;
        engine.volume(*left, *right);
        return VBMP3_ERR_NONE;
    });
}

VBMP3_API int32_t vbmp3_setVolume(int32_t left, int32_t right) {
    return call([&](vbmp3::Engine& engine) -> std::int32_t {
        engine.setVolume(left, right);
        return VBMP3_ERR_NONE;
    });
}

VBMP3_API int32_t vbmp3_setEqualizer(int32_t mode) {
    return call([&](vbmp3::Engine&) -> std::int32_t {
        g_options.equalizer = mode;
        return VBMP3_ERR_NONE;
    });
}

VBMP3_API int32_t vbmp3_setKaraokeUse(int32_t on) {
    return call([&](vbmp3::Engine&) -> std::int32_t {
        g_options.karaoke = on;
        return VBMP3_ERR_NONE;
    });
}

VBMP3_API int32_t vbmp3_useAtMarkTag(int32_t on) {
    return call([&](vbmp3::Engine&) -> std::int32_t {
        g_options.atMarkTag = on;
        return VBMP3_ERR_NONE;
    });
}

VBMP3_API int32_t vbmp3_setLyricsNextAdjustTime(int32_t ms) {
    return call([&](vbmp3::Engine&) -> std::int32_t {
        g_options.lyricsAdjustMs = ms;
        return VBMP3_ERR_NONE;
    });
}

VBMP3_API int16_t vbmp3_open(const char* path, Vbmp3TrackInfo* info) {
    const std::int32_t ok = call([&](vbmp3::Engine& engine) -> std::int32_t {
        const std::int32_t error = engine.open(path, info);
        if (error == VBMP3_ERR_NONE)
            g_lastError = VBMP3_ERR_NONE;
        return error;
    });
    return static_cast<int16_t>(ok);
}

VBMP3_API int32_t vbmp3_getLastErrorNo(void) {
    std::lock_guard lock(g_lock);
    return g_engine ? g_lastError : VBMP3_ERR_NOT_INITIALISED;
}

VBMP3_API int32_t vbmp3_stop(void) {
    return call([](vbmp3::Engine& engine) -> std::int32_t { return engine.stop(); });
}

VBMP3_API int32_t vbmp3_play(void) {
    return call([](vbmp3::Engine& engine) -> std::int32_t { return engine.play(); });
}

VBMP3_API int32_t vbmp3_pause(void) {
    return call([](vbmp3::Engine& engine) -> std::int32_t { return engine.pause(); });
}

VBMP3_API int32_t vbmp3_restart(void) {
    return call([](vbmp3::Engine& engine) -> std::int32_t { return engine.restart(); });
}

VBMP3_API int32_t vbmp3_seek(int32_t sec) {
    return call([&](vbmp3::Engine& engine) -> std::int32_t { return engine.seek(sec); });
}

VBMP3_API int32_t vbmp3_getState(int32_t* pos) {
    std::int32_t state = VBMP3_STOPPED;
    std::int32_t position = 0;
    call([&](vbmp3::Engine& engine) -> std::int32_t {
        state = engine.state(position);
        return VBMP3_ERR_NONE;
    });
    if (pos)
        *pos = position;
    return state;
}

namespace {
// The wave and the spectrum share their contract: both buffers filled, zeros
// when the call fails, 1 only while something is being heard.
template <typename Read> int32_t readAnalysis(int32_t* first, int32_t* second, Read read) {
    bool playing = false;
    const std::int32_t ok = call([&](vbmp3::Engine& engine) -> std::int32_t {
        if (!first || !second)
            return VBMP3_ERR_BAD_ARGUMENT;
        playing = read(engine);
        return VBMP3_ERR_NONE;
    });
    if (!ok) {
        for (int i = 0; i < 256; ++i) {
            if (first)
                first[i] = 0;
            if (second)
                second[i] = 0;
        }
    }
    return ok && playing ? 1 : 0;
}
} // namespace

VBMP3_API int32_t vbmp3_getWave(int32_t* first, int32_t* second) {
    return readAnalysis(first, second,
                        [&](vbmp3::Engine& engine) { return engine.wave(first, second); });
}

VBMP3_API int32_t vbmp3_getSpectrum(int32_t* first, int32_t* second) {
    return readAnalysis(first, second,
                        [&](vbmp3::Engine& engine) { return engine.spectrum(first, second); });
}

VBMP3_API int32_t vbmp3_setSpeed(int32_t percent) {
    return call([&](vbmp3::Engine& engine) -> std::int32_t { return engine.setSpeed(percent); });
}

VBMP3_API int32_t vbmp3_getSpeed(void) {
    std::int32_t percent = 0;
    call([&](vbmp3::Engine& engine) -> std::int32_t {
        percent = engine.speed();
        return VBMP3_ERR_NONE;
    });
    return percent;
}

VBMP3_API int32_t vbmp3_getOutputState(void) {
    std::int32_t state = VBMP3_OUTPUT_NONE;
    call([&](vbmp3::Engine& engine) -> std::int32_t {
        state = static_cast<std::int32_t>(engine.outputKind());
        return VBMP3_ERR_NONE;
    });
    return state;
}

VBMP3_API int32_t vbmp3_stopCallback(void) {
    return call([](vbmp3::Engine& engine) -> std::int32_t { return engine.stopCallback(); });
}

VBMP3_API int32_t vbmp3probe_read(Vbmp3Probe* probe) {
    return call([&](vbmp3::Engine& engine) -> std::int32_t {
        if (!probe)
            return VBMP3_ERR_BAD_ARGUMENT;
        const vbmp3::OutputCounters c = engine.counters();
        probe->framesOut = c.framesOut;
        probe->underruns = c.underruns;
        probe->heardAtNs = c.heardAtNs;
        probe->generation = c.generation;
        probe->heardGeneration = c.heardGeneration;
        probe->aheadFrames = c.aheadFrames;
        probe->audioFramesOut = c.audioFramesOut;
        return VBMP3_ERR_NONE;
    });
}

VBMP3_API int32_t vbmp3probe_fakeDevice(int32_t on, int32_t refuses) {
    return call([&](vbmp3::Engine& engine) -> std::int32_t {
        engine.useFakeDevice(on != 0);
        engine.fakeDevice().setRefuseOpen(refuses != 0);
        return VBMP3_ERR_NONE;
    });
}

VBMP3_API int32_t vbmp3probe_loseDevice(void) {
    return call([](vbmp3::Engine& engine) -> std::int32_t {
        engine.fakeDevice().loseDevice();
        return VBMP3_ERR_NONE;
    });
}

VBMP3_API int32_t vbmp3probe_nullRefuses(int32_t on) {
    return call([&](vbmp3::Engine& engine) -> std::int32_t {
        engine.nullOutput().setRefuseOpen(on != 0);
        return VBMP3_ERR_NONE;
    });
}

VBMP3_API int32_t vbmp3probe_manualClock(int32_t on) {
    return call([&](vbmp3::Engine& engine) -> std::int32_t {
        engine.nullOutput().setManualClock(on != 0);
        engine.fakeDevice().setManualClock(on != 0);
        return VBMP3_ERR_NONE;
    });
}

VBMP3_API int32_t vbmp3probe_pull(float* stereo, int32_t frameCount) {
    std::int32_t pulled = 0;
    call([&](vbmp3::Engine& engine) -> std::int32_t {
        pulled = frameCount > 0 ? engine.pull(stereo, frameCount) : 0;
        return VBMP3_ERR_NONE;
    });
    return pulled;
}
