// CMU Sphinx's decoder, loaded once with the US-English model and kept quiet:
// a forced pass of given words through a grammar, and a free pass through the
// phone loop whose per-frame scores the forced pass is measured against.
// One thread at a time.
#pragma once

#include "speech_model_paths.h"

#include <QStringList>
#include <span>
#include <vector>

struct ps_decoder_s;
struct cmd_ln_s;

namespace hearvex::lessons {

struct DecodedSegment {
    int word = -1;          // index into the words forced; -1 silence, filler, other speech
    int firstFrame = 0;     // 10 ms frames of the samples given
    int endFrame = 0;       // one past the last
    long acousticScore = 0; // the model's log units, higher is better
};

struct GrammarShape {
    bool wordsOptional = false;     // each word may be skipped, at a cost
    bool surroundingSpeech = false; // a phone loop before and after the words
};

class SphinxDecoder {
public:
    explicit SphinxDecoder(const SpeechModelPaths& paths);
    ~SphinxDecoder();
    SphinxDecoder(const SphinxDecoder&) = delete;
    SphinxDecoder& operator=(const SphinxDecoder&) = delete;

    bool isReady() const { return m_decoder != nullptr; }
    QString error() const { return m_error; }

    // The dictionary's pronunciation of a word ("" when it has none), and
    // adding one (phones in the model's set).
    QString lookUp(const QString& word) const;
    bool addWord(const QString& word, const QString& phones);

    // The words (all in the dictionary) forced through pcm in order, with
    // optional silence between; empty when no path through them was found.
    std::vector<DecodedSegment> forceAlign(std::span<const qint16> pcm, const QStringList& words,
                                           const GrammarShape& shape);
    // Per frame, the best free phone sequence's acoustic score.
    std::vector<double> phoneLoopScores(std::span<const qint16> pcm);

private:
    bool decode(std::span<const qint16> pcm);
    bool addLoopPhones();

    cmd_ln_s* m_config = nullptr;
    ps_decoder_s* m_decoder = nullptr;
    QString m_error;
};

} // namespace hearvex::lessons
