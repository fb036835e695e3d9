// A sentence's words found in a stretch of speech by CMU Sphinx's US-English
// acoustic model: the words are forced through a grammar in their order, and
// each is scored against an unconstrained phone loop over the same frames, so
// a confidence says whether the words were said there at all, whoever spoke.
//
// One SpeechAligner loads the model once (about 1 s, ~60 MB) and is used by
// one thread at a time; give each thread its own.
#pragma once

#include "speech_model_paths.h"
#include "word_times.h"

#include <QString>
#include <QtGlobal>
#include <memory>
#include <span>

namespace hearvex::lessons {

struct WordAlignOptions {
    // Each word may be left out (a learner's take that skips one): a word not
    // heard comes back with startMs == endMs and confidence 0.
    bool wordsOptional = false;
    // Added to every time returned: where the samples start in the media.
    qint64 offsetMs = 0;
    // Speech before and after the sentence in the samples (a window cut with
    // margins around a guess) is allowed and not taken as the sentence's.
    bool allowSurroundingSpeech = false;
    // Speech the words leave to silence between and around them counts
    // against the sentence's confidence: a learner's take of another sentence
    // that shares a few words with this one is mostly such speech.
    bool speechBetweenWordsCounts = false;
};

struct SentenceWords {
    WordTimes words;       // one per written word, in order, punctuation kept
    double confidence = 0; // 0..1, over the words that were found
    bool matched = false;  // confidence >= kMatchedConfidence
    qint64 startMs = 0;    // first found word's start .. last found word's end
    qint64 endMs = 0;
};

// Below this a sentence was not said in the samples.
inline constexpr double kMatchedConfidence = 0.5;
// Below this a kept sentence is marked uncertain (对齐不确定), as the library does.
inline constexpr double kCertainConfidence = kConfidentAlignment;
inline constexpr int kSpeechRate = 16000; // samples per second the aligner takes

class SpeechAligner {
public:
    explicit SpeechAligner(const SpeechModelPaths& paths = SpeechModelPaths::installed());
    ~SpeechAligner();
    SpeechAligner(const SpeechAligner&) = delete;
    SpeechAligner& operator=(const SpeechAligner&) = delete;

    // False when the model could not be loaded; error() says which file.
    bool isReady() const;
    QString error() const;

    // The sentence's words in pcm (16 kHz mono). A sentence without any word
    // to say (only punctuation) comes back unmatched with no words.
    SentenceWords alignWords(std::span<const qint16> pcm, const QString& sentence,
                             const WordAlignOptions& options = {});

    // How a written word is said, in the model's phones ("HH AH L OW"): the
    // dictionary, else eSpeak NG, else spelling rules. Empty for no letters.
    QString pronunciation(const QString& spokenWord);

private:
    struct Decoder;
    std::unique_ptr<Decoder> m_decoder;
};

} // namespace hearvex::lessons
