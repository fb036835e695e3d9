#include "speech_gate.h"

#include <algorithm>
#include <cmath>

namespace hearvex::shadow {

namespace {

constexpr double kFrameSeconds = 0.02;
constexpr int kFramesToStart = 5;  // 100 ms loud: a click or a bump is not speech
constexpr double kFloorRise = 0.2; // dB a frame: the floor follows a room getting louder
constexpr double kDigitalSilence = -90;
constexpr double kSilenceBelowStart = 6; // hysteresis: speech ends a little below where it starts

double decibels(double meanSquare) {
    return meanSquare <= 1e-10 ? -100 : 10 * std::log10(meanSquare);
}

} // namespace

SpeechGate::SpeechGate(const GateSettings& settings)
    : m_settings(settings)
    , m_frameLength(std::max(1, int(settings.sampleRate * kFrameSeconds))) {}

bool SpeechGate::stopped() const {
    return m_state == GateState::Silent || m_state == GateState::AtLimit ||
           m_state == GateState::Muted;
}

GateState SpeechGate::feed(std::span<const float> samples) {
    m_levelDb = -100;
    double blockPeak = -100;
    for (const float sample : samples) {
        if (stopped())
            break;
        m_frameEnergy += double(sample) * sample;
        ++m_samples;
        if (++m_inFrame == m_frameLength) {
            takeFrame();
            blockPeak = std::max(blockPeak, m_levelDb);
        }
    }
    m_levelDb = blockPeak;
    return m_state;
}

void SpeechGate::takeFrame() {
    const double level = decibels(m_frameEnergy / m_inFrame);
    m_inFrame = 0;
    m_frameEnergy = 0;
    m_levelDb = level;
    m_heardSound = m_heardSound || level > kDigitalSilence;
    // Speech never lifts the floor: it follows the room only before speech starts.
    if (!m_floorSet || level < m_floorDb)
        m_floorDb = level;
    else if (m_state == GateState::Waiting)
        m_floorDb = std::min(level, m_floorDb + kFloorRise);
    m_floorSet = true;

    const double start =
        std::max(m_floorDb + m_settings.speechAboveFloor, m_settings.quietestSpeech);
    if (m_state == GateState::Waiting) {
        m_loudFrames = level >= start ? m_loudFrames + 1 : 0;
        if (m_loudFrames >= kFramesToStart)
            m_state = GateState::Speaking;
    } else {
        m_quietFrames = level < start - kSilenceBelowStart ? m_quietFrames + 1 : 0;
        if (m_quietFrames * kFrameSeconds >= m_settings.silenceToStop)
            m_state = GateState::Silent;
    }
    if (!m_heardSound && seconds() >= m_settings.mutedAfter)
        m_state = GateState::Muted;
    else if (!stopped() && seconds() >= m_settings.maxSeconds)
        m_state = GateState::AtLimit;
}

} // namespace hearvex::shadow
