#include "sentence_matcher.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

namespace hearvex::lessons {

namespace {

constexpr unsigned kMostDecoders = 4;

std::span<const qint16> windowOf(std::span<const qint16> pcm, const SearchWindow& window) {
    const auto sampleAt = [&](qint64 ms) {
        return size_t(std::clamp<qint64>(ms * kSpeechRate / 1000, 0, qint64(pcm.size())));
    };
    const size_t first = sampleAt(window.firstMs);
    return pcm.subspan(first, std::max(first, sampleAt(window.endMs)) - first);
}

// Hands out sentence numbers to the decoders and counts what is done.
class SentenceQueue {
public:
    explicit SentenceQueue(int count)
        : m_count(count) {}
    int take() {
        const int next = m_next.fetch_add(1);
        return next < m_count && !m_stop ? next : -1;
    }
    void finished() { m_done.fetch_add(1); }
    int done() const { return m_done.load(); }
    void stop() { m_stop = true; }

private:
    const int m_count;
    std::atomic<int> m_next{0};
    std::atomic<int> m_done{0};
    std::atomic<bool> m_stop{false};
};

} // namespace

std::vector<FoundSentence> findSentences(std::span<const qint16> pcm, const QStringList& sentences,
                                         const std::vector<SearchWindow>& windows,
                                         const SpeechModelPaths& model,
                                         const MatchProgress& progress, QString* error) {
    error->clear();
    const int count = int(sentences.size());
    std::vector<FoundSentence> found(static_cast<size_t>(count));
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u,
                                        std::min(kMostDecoders, unsigned(count)));
    SentenceQueue queue(count);
    std::mutex errorLock;
    auto work = [&] {
        SpeechAligner aligner(model);
        if (!aligner.isReady()) {
            const std::lock_guard<std::mutex> guard(errorLock);
            *error = aligner.error();
            queue.stop();
            return;
        }
        for (int k = queue.take(); k >= 0; k = queue.take()) {
            WordAlignOptions options;
            options.offsetMs = std::max<qint64>(0, windows[size_t(k)].firstMs);
            options.allowSurroundingSpeech = true;
            found[size_t(k)].text = sentences.at(k);
            found[size_t(k)].words =
                aligner.alignWords(windowOf(pcm, windows[size_t(k)]), sentences.at(k), options);
            queue.finished();
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t)
        helpers.emplace_back(work);
    std::thread own(work);
    bool cancelled = false;
    while (queue.done() < count && error->isEmpty()) {
        if (progress && !progress(double(queue.done()) / count)) {
            cancelled = true;
            queue.stop();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    own.join();
    for (std::thread& helper : helpers)
        helper.join();
    if (cancelled || !error->isEmpty() || queue.done() < count)
        return {};
    return found;
}

SentenceJudgement judgeSentences(const std::vector<FoundSentence>& found) {
    SentenceJudgement judgement;
    int lastSaid = -1;
    for (int k = 0; k < int(found.size()); ++k) {
        const SentenceWords& words = found[size_t(k)].words;
        if (!words.matched) {
            judgement.leftOut.push_back(k);
            continue;
        }
        if (lastSaid >= 0 && judgement.misordered.first < 0 &&
            words.startMs < found[size_t(lastSaid)].words.endMs - kOrderToleranceMs)
            judgement.misordered = {lastSaid, k};
        lastSaid = k;
    }
    const size_t said = found.size() - judgement.leftOut.size();
    // Most not said: another recording's text. Half of it said may be a text
    // read only halfway; its unread half is left out.
    if (found.empty() || said * 2 < found.size())
        judgement.verdict = TranscriptVerdict::NotThisRecording;
    else if (judgement.misordered.first >= 0)
        judgement.verdict = TranscriptVerdict::OutOfOrder;
    else
        judgement.verdict =
            judgement.leftOut.empty() ? TranscriptVerdict::AllSaid : TranscriptVerdict::PartlySaid;
    return judgement;
}

} // namespace hearvex::lessons
