// Plays the model's sentence and the learner's take in the 跟读 window: 16 kHz
// mono samples queued on an SDL output device of its own, so the lesson's
// player and its engine are left as they are.
#pragma once

#include <QString>
#include <cstdint>
#include <span>

namespace hearvex::shadow {

class SamplePlayer {
public:
    SamplePlayer() = default;
    ~SamplePlayer();
    SamplePlayer(const SamplePlayer&) = delete;
    SamplePlayer& operator=(const SamplePlayer&) = delete;

    // Queues the samples after whatever is still playing; false with a
    // message when no output device opens.
    bool queue(std::span<const float> samples, QString* error);
    // Stops at once and forgets what was queued.
    void stop();
    // Seconds still to be heard.
    double secondsLeft() const;
    bool playing() const { return secondsLeft() > 0; }

private:
    bool open(QString* error);

    uint32_t m_device = 0;
    bool m_sdlStarted = false;
};

} // namespace hearvex::shadow
