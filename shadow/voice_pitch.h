// The pitch of a voice over time, as the 跟读 window draws it: aubio's YIN
// tracker every 10 ms, in semitones around the speaker's own median, so a
// man's and a woman's intonation can be compared on one scale.
#pragma once

#include <span>
#include <vector>

namespace hearvex::shadow {

inline constexpr int kPitchHopMs = 10;

struct PitchCurve {
    // One value every kPitchHopMs from the start; NaN where no voice is heard.
    std::vector<float> semitones;
    float medianHz = 0; // 0 when nothing was voiced
};

// 16 kHz mono in. Frames quieter than -45 dBFS or without a clear period
// (aubio's confidence) count as unvoiced, as do pitches outside 60..500 Hz.
PitchCurve trackPitch(std::span<const float> samples, int sampleRate);

} // namespace hearvex::shadow
