#include "voice_capture.h"

#include "take_store.h"

#include <SDL.h>
#include <algorithm>

namespace hearvex::shadow {

VoiceCapture::~VoiceCapture() {
    stop();
}

bool VoiceCapture::start(double maxSeconds, QString* error) {
    stop();
    if (!m_sdlStarted && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        *error =
            QStringLiteral("声音系统无法启动，不能录音：%1").arg(QString::fromUtf8(SDL_GetError()));
        return false;
    }
    m_sdlStarted = true;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_buffer.clear();
        m_buffer.reserve(size_t(std::max(1.0, maxSeconds + 1) * kTakeRate));
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kTakeRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 1;
    wanted.samples = 512; // 32 ms: the meter moves smoothly
    wanted.callback = &VoiceCapture::received;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts whatever the device gives to 16 kHz mono float.
    m_device = SDL_OpenAudioDevice(nullptr, 1, &wanted, &obtained, 0);
    if (m_device == 0) {
        const QString why = QString::fromUtf8(SDL_GetError());
        *error = SDL_GetNumAudioDevices(1) <= 0
                     ? QStringLiteral("找不到录音设备（麦克风）。请接上麦克风，或在系统的声音设置里"
                                      "选一个输入设备。")
                     : QStringLiteral("无法打开录音设备：%1").arg(why);
        return false;
    }
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void VoiceCapture::stop() {
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device); // waits for a running callback
        m_device = 0;
    }
    if (m_sdlStarted) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_sdlStarted = false;
    }
}

std::vector<float> VoiceCapture::drain() {
    const std::lock_guard<std::mutex> hold(m_lock);
    std::vector<float> samples(m_buffer.begin(), m_buffer.end());
    m_buffer.clear(); // keeps its reservation
    return samples;
}

void VoiceCapture::received(void* self, uint8_t* bytes, int length) {
    auto* capture = static_cast<VoiceCapture*>(self);
    const auto* samples = reinterpret_cast<const float*>(bytes);
    const size_t count = size_t(length) / sizeof(float);
    const std::lock_guard<std::mutex> hold(capture->m_lock);
    // Never past the reservation: the take has its limit anyway.
    const size_t room = capture->m_buffer.capacity() - capture->m_buffer.size();
    capture->m_buffer.insert(capture->m_buffer.end(), samples, samples + std::min(count, room));
}

} // namespace hearvex::shadow
