#include "cue_word_finder.h"

#include "align_text.h"
#include "pause_cut.h"
#include "speech_aligner.h"
#include "speech_stream.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace hearvex::lessons {

// The library's 对齐不确定 and the aligner's uncertain sentences are one rule.
static_assert(kCertainConfidence == kConfidentAlignment);
static_assert(kStreamSpeechRate == kSpeechRate);

namespace {

constexpr qint64 kFarSample = std::numeric_limits<qint64>::max() / 2;

qint64 sampleAt(qint64 ms) {
    return ms * kSpeechRate / 1000;
}

// Where each search's words are looked for, in samples: its span widened by
// the margin; an open end reaches to the media's end.
std::vector<std::pair<qint64, qint64>> samplesOf(const std::vector<WordSearch>& searches) {
    std::vector<std::pair<qint64, qint64>> spans;
    for (const WordSearch& search : searches) {
        const qint64 from = sampleAt(std::max<qint64>(0, search.fromMs - kCueMarginMs));
        const qint64 to =
            search.toMs == kOpenEnd ? kFarSample : sampleAt(search.toMs + kCueMarginMs);
        spans.emplace_back(from, std::max(from, to));
    }
    return spans;
}

// Aligns the searches in order as the media streams past, each once its span
// has been read, and keeps only the media the searches still to come need.
class StreamedSearches {
public:
    StreamedSearches(SpeechAligner& aligner, const std::vector<WordSearch>& searches)
        : m_aligner(aligner)
        , m_searches(searches)
        , m_spans(samplesOf(searches))
        , m_neededFrom(searches.size() + 1, kFarSample) {
        for (size_t i = searches.size(); i-- > 0;)
            m_neededFrom[i] = std::min(m_neededFrom[i + 1], m_spans[i].first);
    }
    void feed(std::span<const qint16> samples) {
        m_window.append(samples);
        alignCovered(false);
    }
    void finish() { alignCovered(true); }
    qint64 samplesRead() const { return m_window.endSample(); }
    std::vector<FoundWords> takeFound() { return std::move(m_found); }

private:
    void alignCovered(bool atEnd) {
        while (m_found.size() < m_searches.size() &&
               (atEnd || m_spans[m_found.size()].second <= m_window.endSample()))
            m_found.push_back(alignNext());
        m_window.dropBefore(m_neededFrom[m_found.size()]);
    }
    FoundWords alignNext() {
        const auto [from, to] = m_spans[m_found.size()];
        const std::span<const qint16> pcm = m_window.span(from, to);
        if (pcm.empty())
            return {};
        WordAlignOptions options;
        options.offsetMs = std::max(from, m_window.firstSample()) * 1000 / kSpeechRate;
        options.allowSurroundingSpeech = true;
        const SentenceWords said =
            m_aligner.alignWords(pcm, m_searches[m_found.size()].sentence, options);
        FoundWords found;
        found.matched = said.matched && !said.words.empty();
        if (found.matched)
            found.words = said.words;
        return found;
    }

    SpeechAligner& m_aligner;
    const std::vector<WordSearch>& m_searches;
    std::vector<std::pair<qint64, qint64>> m_spans;
    std::vector<qint64> m_neededFrom; // the earliest sample searches i.. still need
    SpeechWindow m_window;
    std::vector<FoundWords> m_found;
};

WordSearchResult findWords(SpeechAligner& aligner, const QByteArray& media,
                           const std::vector<WordSearch>& searches,
                           const WordSearchProgress& progress) {
    WordSearchResult result;
    StreamedSearches streamed(aligner, searches);
    qint64 lengthMs = 0;
    const bool read = streamSpeech(
        media,
        [&](std::span<const qint16> samples) {
            streamed.feed(samples);
            const double total = double(sampleAt(lengthMs));
            result.cancelled =
                progress &&
                !progress(total > 0 ? std::min(1.0, double(streamed.samplesRead()) / total) : 0.0);
            return !result.cancelled;
        },
        &lengthMs, &result.error);
    if (!read || result.cancelled)
        return result;
    streamed.finish();
    result.found = streamed.takeFound();
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
