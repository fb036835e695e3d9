// A short piece of sound held whole in memory: a word cut from a lesson's
// recording, or a word eSpeak NG said.
#pragma once

#include <QtGlobal>
#include <vector>

namespace hearvex::words {

struct SoundClip {
    int sampleRate = 0;         // Hz
    int channels = 0;           // 1 or 2
    std::vector<float> samples; // interleaved, full scale 1.0

    qint64 frameCount() const { return channels > 0 ? qint64(samples.size()) / channels : 0; }
    bool isEmpty() const { return samples.empty(); }
};

} // namespace hearvex::words
