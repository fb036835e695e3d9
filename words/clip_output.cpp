#include "clip_output.h"

#include <QCoreApplication>
#include <SDL.h>

namespace hearvex::words {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(ClipOutput)
};

constexpr int kDeviceFrames = 1024;

} // namespace

ClipOutput::~ClipOutput() {
    close();
    if (m_sdlStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void ClipOutput::close() {
    if (m_device)
        SDL_CloseAudioDevice(m_device);
    m_device = 0;
}

bool ClipOutput::openFor(const SoundClip& clip, QString* error) {
    if (m_device && clip.sampleRate == m_sampleRate && clip.channels == m_channels)
        return true;
    close();
    if (!m_sdlStarted) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            *error = Text::tr("no sound output: %1").arg(QString::fromUtf8(SDL_GetError()));
            return false;
        }
        m_sdlStarted = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = clip.sampleRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = Uint8(clip.channels);
    wanted.samples = kDeviceFrames;
    // SDL converts the clip's rate and channels to the device's, so any device will do.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (!m_device) {
        *error = Text::tr("no sound output: %1").arg(QString::fromUtf8(SDL_GetError()));
        return false;
    }
    m_sampleRate = clip.sampleRate;
    m_channels = clip.channels;
    return true;
}

bool ClipOutput::play(const SoundClip& clip, QString* error) {
    if (clip.isEmpty()) {
        *error = Text::tr("nothing to play");
        return false;
    }
    if (!openFor(clip, error))
        return false;
    SDL_PauseAudioDevice(m_device, 1);
    SDL_ClearQueuedAudio(m_device);
    if (SDL_QueueAudio(m_device, clip.samples.data(),
                       Uint32(clip.samples.size() * sizeof(float))) != 0) {
        *error = Text::tr("no sound output: %1").arg(QString::fromUtf8(SDL_GetError()));
        return false;
    }
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void ClipOutput::stop() {
    if (m_device) {
        SDL_PauseAudioDevice(m_device, 1);
        SDL_ClearQueuedAudio(m_device);
    }
}

bool ClipOutput::playing() const {
    return m_device && SDL_GetQueuedAudioSize(m_device) > 0;
}

} // namespace hearvex::words
