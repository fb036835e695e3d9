// When a recording of the learner stops by itself: after 1.5 s of silence once
// speech has started, or at its length limit (twice the sentence's). It also
// gives the level for the meter and notices an input that sends only silence
// (a muted microphone), so the window can say so instead of waiting.
#pragma once

#include <span>

namespace hearvex::shadow {

struct GateSettings {
    int sampleRate = 16000;
    double maxSeconds = 10;       // twice the sentence's length
    double silenceToStop = 1.5;   // seconds of silence after speech that end the take
    double mutedAfter = 2.0;      // seconds of digital silence that mean a muted input
    double speechAboveFloor = 12; // dB over the room's noise that count as speech
    double quietestSpeech = -50;  // dBFS: nothing below is speech, however quiet the room
};

enum class GateState {
    Waiting,  // recording, nothing said yet
    Speaking, // speech has started
    Silent,   // stopped: silence after speech
    AtLimit,  // stopped: the length limit
    Muted,    // stopped: the input gives only digital silence
};

class SpeechGate {
public:
    explicit SpeechGate(const GateSettings& settings);

    // Takes the next samples (any block size) and says where the take stands.
    GateState feed(std::span<const float> samples);

    GateState state() const { return m_state; }
    bool stopped() const;
    // The loudest 20 ms frame of the last block, dBFS (-100 for silence).
    double levelDb() const { return m_levelDb; }
    double seconds() const { return double(m_samples) / m_settings.sampleRate; }

private:
    void takeFrame();

    GateSettings m_settings;
    GateState m_state = GateState::Waiting;
    int m_frameLength;
    int m_inFrame = 0;
    double m_frameEnergy = 0;
    long long m_samples = 0;
    double m_levelDb = -100;
    double m_floorDb = 0;
    bool m_floorSet = false;
    bool m_heardSound = false;
    int m_loudFrames = 0;  // in a row, before speech counts as started
    int m_quietFrames = 0; // in a row, after speech started
};

} // namespace hearvex::shadow
