#include "speech_aligner.h"

#include "align_text.h"
#include "pronunciation.h"
#include "sphinx_decoder.h"
#include "spoken_words.h"

#include <algorithm>
#include <cmath>

namespace hearvex::lessons {

namespace {

// The per-frame log-likelihood ratio (the forced words against the free
// phone loop, in the model's scaled log units) mapped to 0..1. Calibrated on
// LibriVox and card utterances against their own and the others' audio: a
// sentence read as written comes to -2..-17 a frame, another sentence's words
// to -41 and below. A single word is noisier (short function words of a right
// sentence reach -60), so its curve is flatter and lower.
struct Calibration {
    double midpoint;
    double slope;
};
constexpr Calibration kSentenceCurve{-28.0, 1.0 / 6.0};
constexpr Calibration kWordCurve{-45.0, 1.0 / 12.0};

double confidenceOf(double ratioPerFrame, const Calibration& curve) {
    return 1.0 / (1.0 + std::exp(-(ratioPerFrame - curve.midpoint) * curve.slope));
}

// What the phone loop scored over frames [first, end), spread evenly over
// each phone's frames.
double loopScore(const std::vector<double>& perFrame, int first, int end) {
    double sum = 0;
    for (int f = std::max(first, 0); f < end && f < int(perFrame.size()); ++f)
        sum += perFrame[size_t(f)];
    return sum;
}

} // namespace

SpeechModelPaths SpeechModelPaths::installed() {
    const QString root = QStringLiteral("/usr/share/pocketsphinx/model/en-us/");
    return {root + QStringLiteral("en-us"), root + QStringLiteral("cmudict-en-us.dict"),
            root + QStringLiteral("en-us-phone.lm.bin")};
}

struct SpeechAligner::Decoder {
    SphinxDecoder sphinx;
    Pronunciations pronunciations;
    explicit Decoder(const SpeechModelPaths& paths)
        : sphinx(paths)
        , pronunciations(sphinx) {}
};

SpeechAligner::SpeechAligner(const SpeechModelPaths& paths)
    : m_decoder(std::make_unique<Decoder>(paths)) {}

SpeechAligner::~SpeechAligner() = default;

bool SpeechAligner::isReady() const {
    return m_decoder->sphinx.isReady();
}

QString SpeechAligner::error() const {
    return m_decoder->sphinx.error();
}

QString SpeechAligner::pronunciation(const QString& spokenWord) {
    return m_decoder->pronunciations.of(spokenWord);
}

SentenceWords SpeechAligner::alignWords(std::span<const qint16> pcm, const QString& sentence,
                                        const WordAlignOptions& options) {
    SentenceWords result;
    const SpokenSentence spoken = spokenWords(sentence);
    for (const QString& word : spoken.written)
        result.words.push_back({options.offsetMs, options.offsetMs, 0, word});
    if (!isReady() || spoken.spoken.empty() || pcm.empty())
        return result;
    QStringList dictionaryWords;
    std::vector<int> writtenOf; // per grammar word, the written word it says
    for (const SpokenWord& word : spoken.spoken) {
        const QString known = m_decoder->pronunciations.dictionaryWord(word.text);
        if (!known.isEmpty()) {
            dictionaryWords << known;
            writtenOf.push_back(word.written);
        }
    }
    if (dictionaryWords.isEmpty())
        return result;
    GrammarShape shape;
    shape.wordsOptional = options.wordsOptional;
    shape.surroundingSpeech = options.allowSurroundingSpeech;
    const std::vector<DecodedSegment> forced =
        m_decoder->sphinx.forceAlign(pcm, dictionaryWords, shape);
    if (forced.empty())
        return result;
    const std::vector<double> loop = m_decoder->sphinx.phoneLoopScores(pcm);

    // Spoken words back to written ones: a written word spans its spoken words.
    std::vector<int> firstFrame(size_t(spoken.written.size()), -1);
    std::vector<int> endFrame(size_t(spoken.written.size()), -1);
    std::vector<double> ratio(size_t(spoken.written.size()), 0);
    std::vector<int> found(size_t(spoken.written.size()), 0);
    double sentenceRatio = 0;
    int sentenceFrames = 0;
    for (const DecodedSegment& segment : forced) {
        if (segment.word < 0)
            continue; // silence, filler or the surrounding speech
        const size_t w = size_t(writtenOf[size_t(segment.word)]);
        if (firstFrame[w] < 0)
            firstFrame[w] = segment.firstFrame;
        endFrame[w] = segment.endFrame;
        const double r =
            double(segment.acousticScore) - loopScore(loop, segment.firstFrame, segment.endFrame);
        ratio[w] += r;
        found[w] += 1;
        sentenceRatio += r;
        sentenceFrames += segment.endFrame - segment.firstFrame;
    }
    int firstFound = -1, lastFound = -1;
    for (size_t w = 0; w < result.words.size(); ++w) {
        if (firstFrame[w] < 0)
            continue;
        TimedWord& word = result.words[w];
        word.startMs = options.offsetMs + qint64(firstFrame[w]) * 10;
        word.endMs = options.offsetMs + qint64(endFrame[w]) * 10;
        word.confidence =
            confidenceOf(ratio[w] / std::max(1, endFrame[w] - firstFrame[w]), kWordCurve);
        if (firstFound < 0)
            firstFound = int(w);
        lastFound = int(w);
    }
    if (firstFound < 0)
        return result;
    // Words left out count against the sentence as much as words said badly.
    const double heardShare =
        double(std::count_if(found.begin(), found.end(), [](int n) { return n > 0; })) /
        double(found.size());
    result.confidence =
        confidenceOf(sentenceRatio / std::max(1, sentenceFrames), kSentenceCurve) * heardShare;
    result.matched = result.confidence >= kMatchedConfidence;
    result.startMs = result.words[size_t(firstFound)].startMs;
    result.endMs = result.words[size_t(lastFound)].endMs;
    return result;
}

} // namespace hearvex::lessons
