#include "cue_word_finder.h"

#include "align_text.h"
#include "pause_cut.h"
#include "speech_aligner.h"
#include "speech_pcm.h"

#include <algorithm>
#include <memory>

namespace hearvex::lessons {

// The library's 对齐不确定 and the aligner's uncertain sentences are one rule.
static_assert(kCertainConfidence == kConfidentAlignment);

namespace {

// Reading the media is about a fifth of the work; the alignments the rest.
constexpr double kReadShare = 0.2;

FoundWords wordsInSpan(SpeechAligner& aligner, const std::vector<qint16>& pcm,
                       const WordSearch& search) {
    const qint64 mediaMs = qint64(pcm.size()) * 1000 / kSpeechRate;
    const qint64 fromMs = std::clamp<qint64>(search.fromMs - kCueMarginMs, 0, mediaMs);
    const qint64 toMs = search.toMs == kOpenEnd
                            ? mediaMs
                            : std::clamp<qint64>(search.toMs + kCueMarginMs, fromMs, mediaMs);
    if (toMs <= fromMs)
        return {};
    const auto first = size_t(fromMs * kSpeechRate / 1000);
    const auto count = size_t((toMs - fromMs) * kSpeechRate / 1000);
    WordAlignOptions options;
    options.offsetMs = fromMs;
    options.allowSurroundingSpeech = true;
    const SentenceWords said =
        aligner.alignWords(std::span(pcm).subspan(first, count), search.sentence, options);
    FoundWords found;
    found.matched = said.matched && !said.words.empty();
    if (found.matched)
        found.words = said.words;
    return found;
}

WordSearchResult findWords(SpeechAligner& aligner, const QByteArray& media,
                           const std::vector<WordSearch>& searches,
                           const WordSearchProgress& progress) {
    WordSearchResult result;
    std::vector<qint16> pcm;
    QString error;
    const bool read = readSpeechPcm(media, &pcm, &error, [&](double fraction) {
        return !progress || progress(fraction * kReadShare);
    });
    if (!read) {
        result.cancelled = error.isEmpty();
        result.error = error;
        return result;
    }
    for (size_t i = 0; i < searches.size(); ++i) {
        result.found.push_back(wordsInSpan(aligner, pcm, searches[i]));
        const double done = kReadShare + (1 - kReadShare) * double(i + 1) / double(searches.size());
        if (progress && !progress(done)) {
            result.cancelled = true;
            result.found.clear();
            return result;
        }
    }
    return result;
}

} // namespace

WordFinder speechWordFinder() {
    auto aligner = std::make_shared<std::unique_ptr<SpeechAligner>>();
    return [aligner](const QByteArray& media, const std::vector<WordSearch>& searches,
                     const WordSearchProgress& progress) {
        if (!*aligner)
            *aligner = std::make_unique<SpeechAligner>();
        if (!(*aligner)->isReady()) {
            WordSearchResult failed;
            failed.error =
                AlignText::tr("the speech model could not be loaded: %1").arg((*aligner)->error());
            return failed;
        }
        return findWords(**aligner, media, searches, progress);
    };
}

} // namespace hearvex::lessons
