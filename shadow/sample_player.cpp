#include "sample_player.h"

#include "take_store.h"

#include <SDL.h>

namespace hearvex::shadow {

SamplePlayer::~SamplePlayer() {
    if (m_device != 0)
        SDL_CloseAudioDevice(m_device);
    if (m_sdlStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SamplePlayer::open(QString* error) {
    if (m_device != 0)
        return true;
    if (!m_sdlStarted && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        *error = QStringLiteral("声音系统无法启动：%1").arg(QString::fromUtf8(SDL_GetError()));
        return false;
    }
    m_sdlStarted = true;
    SDL_AudioSpec wanted{};
    wanted.freq = kTakeRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 1;
    wanted.samples = 1024;
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0); // queued, no callback
    if (m_device == 0) {
        *error = QStringLiteral("无法打开放音设备：%1").arg(QString::fromUtf8(SDL_GetError()));
        return false;
    }
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

bool SamplePlayer::queue(std::span<const float> samples, QString* error) {
    if (!open(error))
        return false;
    if (SDL_QueueAudio(m_device, samples.data(), Uint32(samples.size_bytes())) != 0) {
        *error = QStringLiteral("无法放音：%1").arg(QString::fromUtf8(SDL_GetError()));
        return false;
    }
    return true;
}

void SamplePlayer::stop() {
    if (m_device != 0)
        SDL_ClearQueuedAudio(m_device);
}

double SamplePlayer::secondsLeft() const {
    if (m_device == 0)
        return 0;
    return double(SDL_GetQueuedAudioSize(m_device)) / sizeof(float) / kTakeRate;
}

} // namespace hearvex::shadow
