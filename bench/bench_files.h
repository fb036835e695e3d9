// The recordings the benchmark measures, generated once and kept between runs.
#pragma once

#include <string>

namespace bench {

// The folder holding the generated files: $HEARVEX_BENCH_DIR, else
// /tmp/hearvex-bench. Created if missing.
std::string cacheDir();

// A one-hour 128 kbit/s CBR stereo MP3 of speech-like sound (voiced
// syllables with a wandering pitch, breath noise and pauses), 44.1 kHz.
std::string oneHourMp3();

// The one-hour file's audio ten times over, without the first copy's length
// header, so the decoder has to stream ten hours it cannot size in advance.
std::string tenHourMp3();

// The same sound as a 128 kbit/s CBR stereo MP3 of the given length.
std::string speechMp3(int seconds);

// A minute of the same speech-like sound as a 16-bit stereo WAV at sampleRate.
std::string speechWav(int sampleRate);

// A minute of a steady tone that never pauses (so any silence in what is
// played was put there by the player): MP3 at the rates MPEG has (8 to
// 48 kHz), 16-bit WAV above them.
std::string toneFile(int sampleRate, int channels);

} // namespace bench
