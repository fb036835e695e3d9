// Recordings of real human speech with known pauses, for the aligner's tests
// and benchmark: LibriVox and other utterances from Debian's
// pocketsphinx-testdata, joined with silences of chosen lengths, so where
// each sentence's speech starts and ends is known.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace hearvex::testing {

inline constexpr int kSpokenRate = 16000;

struct Utterance {
    std::vector<float> samples; // 16 kHz mono
    QString text;               // as a transcript writes it: capital, full stop
    size_t speechFirst = 0;     // samples where the voice starts and ends
    size_t speechEnd = 0;
};

// The utterances with transcripts (LibriVox first, then the card names), or
// none when pocketsphinx-testdata is not installed.
std::vector<Utterance> transcribedUtterances();
// "go forward ten meters": an utterance to speak where the transcript is silent.
Utterance untranscribedUtterance();

struct SpokenPiece {
    const Utterance* utterance = nullptr;
    bool transcribed = true;
    double pauseBefore = 0.5; // seconds of silence (or noise bed) before it
    float gain = 1.0f;
};

struct SpokenRecording {
    std::vector<float> samples;
    QStringList sentences; // the transcribed pieces' texts, in order
    // Per sentence, where its cue may start and end and still lie in the
    // pause: from the end of the sound before it to its speech, and from its
    // speech's end to the sound after it (seconds).
    std::vector<std::pair<double, double>> startRange, endRange;
};

// The pieces in order, a last pause of trailingPause; noiseDb below full
// scale adds a steady noise bed (0: none).
SpokenRecording joinSpeech(const std::vector<SpokenPiece>& pieces, double trailingPause,
                           double noiseDb = 0);

bool writeWav(const QString& path, const std::vector<float>& samples);

// Share of sentence edges inside their pauses (a sentence counts two edges).
double edgesInPauses(const SpokenRecording& truth, const std::vector<double>& starts,
                     const std::vector<double>& ends, double timeScale = 1.0);

} // namespace hearvex::testing
