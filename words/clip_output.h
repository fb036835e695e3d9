// Plays a short clip on a sound device of its own (SDL), beside the engine:
// the lesson's track keeps its place while a word is heard. Calls come from
// the window thread; play returns at once, the sound goes on by itself.
#pragma once

#include "sound_clip.h"

#include <QString>
#include <cstdint>

namespace hearvex::words {

class ClipOutput {
public:
    ClipOutput() = default;
    ~ClipOutput();
    ClipOutput(const ClipOutput&) = delete;
    ClipOutput& operator=(const ClipOutput&) = delete;

    // Plays the clip, cutting off what was still playing. False with a
    // message when no sound device (not even SDL's dummy one) can be opened.
    bool play(const SoundClip& clip, QString* error);
    void stop();
    // Sound of the last clip is still waiting to be heard.
    bool playing() const;

private:
    bool openFor(const SoundClip& clip, QString* error);
    void close();

    std::uint32_t m_device = 0;
    int m_sampleRate = 0;
    int m_channels = 0;
    bool m_sdlStarted = false;
};

} // namespace hearvex::words
