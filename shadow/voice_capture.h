// The learner's microphone: SDL2's capture from the default input device
// (PipeWire, PulseAudio or ALSA through SDL; its disk driver reads a file in
// tests), 16 kHz mono float. The device is the capture's own; the player's
// output device is never touched. The samples wait in a buffer reserved up
// front, so the audio thread never allocates; the window drains it.
#pragma once

#include <QString>
#include <cstdint>
#include <mutex>
#include <vector>

namespace hearvex::shadow {

class VoiceCapture {
public:
    VoiceCapture() = default;
    ~VoiceCapture();
    VoiceCapture(const VoiceCapture&) = delete;
    VoiceCapture& operator=(const VoiceCapture&) = delete;

    // Opens the default input device and starts recording at most maxSeconds.
    // False with a message in Chinese when there is no input device or it
    // cannot be opened.
    bool start(double maxSeconds, QString* error);
    // Stops recording and closes the device; what was recorded stays to drain.
    void stop();
    bool recording() const { return m_device != 0; }

    // The samples recorded since the last call.
    std::vector<float> drain();

private:
    static void received(void* self, uint8_t* bytes, int length);

    uint32_t m_device = 0;
    bool m_sdlStarted = false;
    std::mutex m_lock;
    std::vector<float> m_buffer; // reserved for the whole take
};

} // namespace hearvex::shadow
