// Samples as the analysis hears them: mono, 16 kHz; float for the window and
// the pitch, 16-bit for the speech model.
#pragma once

#include <QtGlobal>
#include <span>
#include <vector>

namespace hearvex::shadow {

// Resampled to 16 kHz; unchanged when it is already. Empty when it cannot be.
std::vector<float> toSpeechRate(std::vector<float> mono, int rate);

std::vector<qint16> toPcm16(std::span<const float> samples);
std::vector<float> fromPcm16(std::span<const qint16> pcm);

} // namespace hearvex::shadow
