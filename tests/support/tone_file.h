// Recordings the end-to-end tests write for the real engine: a quiet tone,
// as WAV or MP3 under whatever name the test gives (lesson recordings are *.txt).
#pragma once

#include <QString>

namespace hearvex::testing {

struct ToneSpec {
    double seconds = 10;
    int sampleRate = 22050;
    int channels = 2;
    float frequencyHz = 440.f;
    float amplitude = 0.2f; // of full scale
    bool mp3 = false;
};

bool writeTone(const QString& path, const ToneSpec& tone);

} // namespace hearvex::testing
