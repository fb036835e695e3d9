// A take set against its sentence: the speech model (loaded once) finds the
// sentence's words in the take, each word optional so a word left out shows
// as missed. The model may also skip a word that was said, so skipped words
// get a second look: the whole sentence forced through the take, else each
// skipped word forced with the words found. The model recording's word times
// come from the lesson's NAME.words beside it, else from aligning its clip here.
#pragma once

#include "speech_aligner.h"
#include "take_analysis.h"

#include <QByteArray>
#include <span>

namespace hearvex::shadow {

// The take as the speech model hears it: 16-bit, with the noise floor a
// microphone would give it under any digital silence (a synthesised voice, an
// input muted between words). The model's silence and its cepstral mean were
// trained on rooms: frames of nothing at all pull the mean so far that quiet
// words pass for silence.
std::vector<qint16> heardSamples(std::span<const float> take);

class ShadowAnalyser {
public:
    ShadowAnalyser();

    // False when the speech model could not be loaded; error() says why.
    bool isReady() const { return m_aligner.isReady(); }
    QString error() const { return m_aligner.error(); }

    // The model recording's word times: its sidecar when it has one for this
    // sentence, else its samples (16 kHz) aligned; empty when neither works.
    lessons::WordTimes modelWords(const QByteArray& recording, std::span<const float> samples,
                                  const QString& sentence);

    // The sentence's words in the take (16 kHz mono). Heard before anything
    // else is aligned: the model's running estimates start from the same
    // place for every take.
    AlignedTake hear(std::span<const float> take, const QString& sentence);

    // The take against the sentence and the model's word times.
    TakeAnalysis analyse(std::span<const float> take, const QString& sentence,
                         const lessons::WordTimes& model);

private:
    AlignedTake align(std::span<const qint16> pcm, const QString& sentence, bool wordsOptional);
    void recheckSkipped(std::span<const qint16> pcm, AlignedTake* take);

    lessons::SpeechAligner m_aligner;
};

} // namespace hearvex::shadow
