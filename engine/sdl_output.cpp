#include "sdl_output.h"

#include <SDL.h>

namespace vbmp3 {

SdlOutput::~SdlOutput() {
    shutdown();
}

int SdlOutput::periodFrames(std::int32_t sampleRate, bool pacedBySleep) {
    int frames = 32;
    while (frames * 100 < sampleRate && frames < 8192) // at least 10 ms
        frames *= 2;
    if (!pacedBySleep)
        return frames;
    // Among periods up to 40 ms, the one whose whole milliseconds come
    // closest to its true length.
    int best = frames;
    double bestLoss = 1.0;
    for (int candidate = frames; candidate <= 16384 && candidate * 25 <= sampleRate;
         candidate *= 2) {
        const double ms = candidate * 1000.0 / sampleRate;
        const double loss = (ms - static_cast<int>(ms)) / ms;
        if (loss < bestLoss - 0.002) {
            best = candidate;
            bestLoss = loss;
        }
    }
    return best;
}

void SdlOutput::callback(void* self, std::uint8_t* stream, int bytes) {
    auto* output = static_cast<SdlOutput*>(self);
    output->m_render(output->m_context, reinterpret_cast<float*>(stream),
                     bytes / static_cast<int>(2 * sizeof(float)));
}

bool SdlOutput::open(std::int32_t sampleRate) {
    if (m_device != 0 && m_sampleRate == sampleRate)
        return true;
    close();
    if (!m_started) {
        // A library must not take over the host program's Ctrl+C.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        m_started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        if (!m_started)
            return false;
    }
    const char* driver = SDL_GetCurrentAudioDriver();
    if (!driver || SDL_strcmp(driver, "dummy") == 0) {
        shutdown();
        return false;
    }
    SDL_AudioSpec want{};
    want.freq = sampleRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = static_cast<Uint16>(periodFrames(sampleRate, SDL_strcmp(driver, "disk") == 0));
    want.callback = &SdlOutput::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No allowed changes: SDL converts to whatever the hardware takes, so the
    // callback always sees the track's own rate.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (m_device == 0) {
        shutdown();
        return false;
    }
    m_sampleRate = sampleRate;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

bool SdlOutput::lost() {
    // SDL disables a device that was unplugged or whose server went away.
    return m_device != 0 && SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED;
}

void SdlOutput::close() {
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
        m_device = 0;
        m_sampleRate = 0;
    }
}

void SdlOutput::shutdown() {
    close();
    if (m_started) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_started = false;
        // Releases SDL's remaining global state, unless the host uses SDL too.
        if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
            SDL_Quit();
    }
}

} // namespace vbmp3
