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

struct GrammarWords {
    QStringList words;          // the decoder's dictionary words, in order
    std::vector<int> writtenOf; // per grammar word, the written word it says
};

struct WordScore {
    int firstFrame = -1; // -1: not heard
    int endFrame = -1;
    double ratio = 0; // forced against free, summed over its frames
};

GrammarWords grammarWords(Pronunciations& pronunciations, const SpokenSentence& spoken) {
    GrammarWords grammar;
    for (const SpokenWord& word : spoken.spoken) {
        const QString known = pronunciations.dictionaryWord(word.text);
        if (!known.isEmpty()) {
            grammar.words << known;
            grammar.writtenOf.push_back(word.written);
        }
    }
    return grammar;
}

// The free phone loop's scores over the frames the words were forced into
// and a little either side: in a long window with other speech around the
// sentence, only that stretch needs the (costly) free pass.
struct LoopScores {
    int firstFrame = 0;
    std::vector<double> perFrame;
};

// The samples a loop was scored over, told apart cheaply: a learner's take is
// aligned several times over (each word optional, forced, rechecks) and the
// loop, most of a pass's cost, comes out the same each time.
quint64 samplesKey(std::span<const qint16> pcm) {
    quint64 hash = 14695981039346656037ull;
    for (const qint16 sample : pcm)
        hash = (hash ^ quint16(sample)) * 1099511628211ull;
    return hash ^ (quint64(pcm.size()) << 1);
}

struct LoopCache {
    quint64 key = 0;
    std::vector<double> perFrame;
};

LoopScores loopAroundWords(SphinxDecoder& sphinx, LoopCache& cache, std::span<const qint16> pcm,
                           const std::vector<DecodedSegment>& forced, bool wholeWindow) {
    int first = -1, end = -1;
    for (const DecodedSegment& segment : forced)
        if (segment.word >= 0) {
            first = first < 0 ? segment.firstFrame : first;
            end = segment.endFrame;
        }
    constexpr int kPadFrames = 30;
    constexpr size_t kSamplesPerFrame = kSpeechRate / 100;
    LoopScores loop;
    size_t from = 0, to = pcm.size();
    if (!wholeWindow && first >= 0) {
        loop.firstFrame = std::max(0, first - kPadFrames);
        from = size_t(loop.firstFrame) * kSamplesPerFrame;
        to = std::min(pcm.size(), size_t(end + kPadFrames) * kSamplesPerFrame);
    }
    const std::span<const qint16> scored = pcm.subspan(from, to - from);
    const quint64 key = samplesKey(scored);
    if (cache.key != key || cache.perFrame.empty()) {
        cache.perFrame = sphinx.phoneLoopScores(scored);
        cache.key = key;
    }
    loop.perFrame = cache.perFrame;
    return loop;
}

// What the phone loop scored over frames [first, end) (a phone's score is
// spread evenly over its frames).
double loopScore(const LoopScores& loop, int first, int end) {
    double sum = 0;
    for (int f = std::max(first - loop.firstFrame, 0);
         f < end - loop.firstFrame && f < int(loop.perFrame.size()); ++f)
        sum += loop.perFrame[size_t(f)];
    return sum;
}

std::vector<WordScore> scoreWords(const std::vector<DecodedSegment>& forced, const LoopScores& loop,
                                  const std::vector<int>& writtenOf, int writtenCount) {
    // Spoken words back to written ones: a written word spans its spoken words.
    std::vector<WordScore> scores(static_cast<size_t>(writtenCount));
    for (const DecodedSegment& segment : forced) {
        if (segment.word < 0)
            continue; // silence, filler or the surrounding speech
        WordScore& score = scores[size_t(writtenOf[size_t(segment.word)])];
        if (score.firstFrame < 0)
            score.firstFrame = segment.firstFrame;
        score.endFrame = segment.endFrame;
        score.ratio +=
            double(segment.acousticScore) - loopScore(loop, segment.firstFrame, segment.endFrame);
    }
    return scores;
}

// Speech the words left to silence and fillers where no word was skipped, as
// the forced path's ratio against the free loop there: a stretch the loop
// hears far better than as silence (below kGapSpeech a frame: silence comes
// to about 0, a loud room's noise down to -20, speech to -30 and below) was
// said but is none of the words. Where a word was skipped, its own speech may lie there
// (said badly), and skipping it already counts against the sentence.
double speechInGaps(const std::vector<DecodedSegment>& forced, const LoopScores& loop,
                    int wordCount) {
    constexpr double kGapSpeech = -20.0;
    double ratio = 0, pending = 0;
    int lastWord = -1;
    for (const DecodedSegment& segment : forced) {
        if (segment.word >= 0) {
            if (segment.word == lastWord + 1)
                ratio += pending;
            pending = 0;
            lastWord = segment.word;
            continue;
        }
        const int length = std::max(1, segment.endFrame - segment.firstFrame);
        const double gap =
            double(segment.acousticScore) - loopScore(loop, segment.firstFrame, segment.endFrame);
        if (gap / length < kGapSpeech)
            pending += gap;
    }
    return lastWord == wordCount - 1 ? ratio + pending : ratio;
}

// gapRatio: what speech outside the words takes off the sentence's ratio (<= 0).
void fillResult(const std::vector<WordScore>& scores, qint64 offsetMs, double gapRatio,
                SentenceWords& result) {
    double ratio = 0;
    int frames = 0, heard = 0;
    qint64 lastEndMs = offsetMs;
    for (size_t w = 0; w < scores.size(); ++w) {
        TimedWord& word = result.words[w];
        const WordScore& score = scores[w];
        if (score.firstFrame < 0) { // not heard: an empty span where it would be
            word.startMs = word.endMs = lastEndMs;
            continue;
        }
        const int length = std::max(1, score.endFrame - score.firstFrame);
        word.startMs = offsetMs + qint64(score.firstFrame) * 10;
        word.endMs = offsetMs + qint64(score.endFrame) * 10;
        word.confidence = confidenceOf(score.ratio / length, kWordCurve);
        lastEndMs = word.endMs;
        if (heard++ == 0)
            result.startMs = word.startMs;
        result.endMs = word.endMs;
        ratio += score.ratio;
        frames += length;
    }
    if (heard == 0)
        return;
    // Words left out count against the sentence as much as words said badly.
    const double heardShare = double(heard) / double(scores.size());
    result.confidence = confidenceOf((ratio + gapRatio) / frames, kSentenceCurve) * heardShare;
    result.matched = result.confidence >= kMatchedConfidence;
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
    LoopCache loop;
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
    if (!isReady() || pcm.empty())
        return result;
    const GrammarWords grammar = grammarWords(m_decoder->pronunciations, spoken);
    if (grammar.words.isEmpty())
        return result;
    GrammarShape shape;
    shape.wordsOptional = options.wordsOptional;
    shape.surroundingSpeech = options.allowSurroundingSpeech;
    const std::vector<DecodedSegment> forced =
        m_decoder->sphinx.forceAlign(pcm, grammar.words, shape);
    if (forced.empty())
        return result;
    const LoopScores loop = loopAroundWords(m_decoder->sphinx, m_decoder->loop, pcm, forced,
                                            !options.allowSurroundingSpeech);
    const std::vector<WordScore> scores =
        scoreWords(forced, loop, grammar.writtenOf, int(spoken.written.size()));
    const double gapRatio = options.speechBetweenWordsCounts
                                ? speechInGaps(forced, loop, int(grammar.words.size()))
                                : 0.0;
    fillResult(scores, options.offsetMs, gapRatio, result);
    return result;
}

} // namespace hearvex::lessons
