// Signals with known answers for the shadowing tests: silence, noise, a
// voiced tone at a chosen pitch, joined in pieces of chosen length.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace hearvex::testing {

struct Piece {
    enum Kind { Silence, Noise, Voice } kind;
    double seconds;
    double decibels = -20; // level below full scale (noise and voice)
    double hz = 150;       // the voice's pitch
};

// A voice is a tone with its first harmonics, as a vowel's pitch sounds to a
// tracker; noise is white, from a fixed starting state, so every run hears the same.
inline std::vector<float> makeSignal(const std::vector<Piece>& pieces, int rate = 16000) {
    std::vector<float> out;
    uint32_t noiseState = 12345;
    double phase = 0;
    for (const Piece& piece : pieces) {
        const double amplitude = std::pow(10.0, piece.decibels / 20.0);
        const auto count = size_t(piece.seconds * rate);
        for (size_t i = 0; i < count; ++i) {
            float value = 0;
            if (piece.kind == Piece::Noise) {
                noiseState = noiseState * 1664525u + 1013904223u;
                value = float(amplitude * std::sqrt(3.0) *
                              (double(noiseState >> 8) / double(1 << 23) - 1.0));
            } else if (piece.kind == Piece::Voice) {
                phase += 2 * std::numbers::pi * piece.hz / rate;
                value = float(amplitude * (0.6 * std::sin(phase) + 0.3 * std::sin(2 * phase) +
                                           0.1 * std::sin(3 * phase)));
            }
            out.push_back(value);
        }
    }
    return out;
}

} // namespace hearvex::testing
