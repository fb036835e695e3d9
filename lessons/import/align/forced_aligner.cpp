#include "forced_aligner.h"

#include "align_text.h"
#include "banded_warp.h"
#include "pause_finder.h"
#include "recording_features.h"
#include "speech_synthesizer.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

namespace hearvex::lessons {

namespace {

constexpr qint64 kMsPerFrame = 1000 / kFramesPerSecond;
// Above this the transcript is not the recording's (see matchRatio).
constexpr double kMismatchRatio = 0.81;
// A sentence read in under a quarter or over four times eSpeak's time is not
// where the warp put it; a few such are fillers or noise, many a wrong text.
constexpr double kShortestSpan = 0.25, kLongestSpan = 4.0;
constexpr double kImplausibleShare = 0.25;
constexpr size_t kSearchFrames = 60;     // how far a pause may lie from the warp's edge
constexpr size_t kPauseInsetFrames = 30; // cue edges this far into a pause, at most

struct ReadResult {
    bool ok = false;
    QString error;
};

// Reads the recording on a second thread while the sentences are spoken on
// this one; progress reports both halves.
class ParallelFeatures {
public:
    ParallelFeatures(RecordingFeatures& recording, float topHz)
        : m_recording(recording)
        , m_thread([this, topHz] {
            m_read.ok = m_recording.run(topHz, m_stop, &m_read.error);
            m_finished = true;
        }) {}
    ~ParallelFeatures() {
        m_stop = true;
        m_thread.join();
    }
    double readShare() const {
        const qint64 total = m_recording.durationMs();
        return m_finished  ? 1.0
               : total > 0 ? std::min(1.0, double(m_recording.doneMs()) / double(total))
                           : 0.5;
    }
    // Waits for the reading to end; false when cancelled meanwhile.
    bool wait(const std::function<bool()>& stillWanted) {
        while (!m_finished) {
            if (!stillWanted()) {
                m_stop = true;
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
        return true;
    }
    void stop() { m_stop = true; }
    const ReadResult& result() const { return m_read; }

private:
    RecordingFeatures& m_recording;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
    ReadResult m_read;
    std::thread m_thread;
};

// The warp's mean cost along the sentences' speech against the mean distance
// of unrelated pairs of speech frames (the recording's pauses left out, so a
// recording with long silences does not look like a good match). Matching
// speech comes to about three quarters; another text warped onto the
// recording to well above four fifths.
double matchRatio(const std::vector<RowMatch>& path, const std::vector<FrameSpan>& spans,
                  const std::vector<CepstralFrame>& synthetic,
                  const std::vector<CepstralFrame>& real, const std::vector<float>& realLevel,
                  float quietBelow) {
    std::vector<size_t> speech;
    for (size_t j = 0; j < real.size(); ++j)
        if (realLevel[j] >= quietBelow)
            speech.push_back(j);
    if (speech.empty())
        return 1.0;
    double along = 0, unrelated = 0;
    size_t count = 0;
    uint32_t state = 2463534242u;
    for (const FrameSpan& span : spans)
        for (size_t i = span.first; i < span.end && i < path.size(); ++i) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            unrelated += frameDistance(synthetic[i], real[speech[state % speech.size()]]);
            along += path[i].cost;
            ++count;
        }
    return count && unrelated > 0 ? along / unrelated : 1.0;
}

struct Span {
    size_t first = 0, end = 0; // frames of the recording
};

std::vector<Span> carriedOver(const std::vector<RowMatch>& path,
                              const std::vector<FrameSpan>& spans) {
    std::vector<Span> out;
    for (const FrameSpan& span : spans) {
        const size_t last = std::min(span.end, path.size()) - 1;
        out.push_back({path[std::min(span.first, last)].first, size_t(path[last].last) + 1});
    }
    return out;
}

double implausibleShare(const std::vector<Span>& real, const std::vector<FrameSpan>& synthetic) {
    size_t odd = 0;
    for (size_t k = 0; k < real.size(); ++k) {
        const double ratio = double(real[k].end - real[k].first) /
                             double(std::max<size_t>(synthetic[k].end - synthetic[k].first, 1));
        odd += (ratio < kShortestSpan || ratio > kLongestSpan) ? 1 : 0;
    }
    return real.empty() ? 0 : double(odd) / double(real.size());
}

// Each edge between sentences moved into the pause near it; the first start
// and the last end into the quiet before and after the speech.
std::vector<AlignedSentence> edgesInPauses(const std::vector<Span>& spans, const QStringList& texts,
                                           const PauseFinder& pauses) {
    const size_t frames = pauses.size();
    std::vector<size_t> starts(spans.size()), ends(spans.size());
    for (size_t k = 0; k <= spans.size(); ++k) {
        const size_t afterPrevious = k > 0 ? spans[k - 1].end : spans[0].first;
        const size_t beforeNext = k < spans.size() ? spans[k].first : spans[k - 1].end;
        PauseSearch search;
        search.expectFirst = std::min(afterPrevious, beforeNext);
        search.expectEnd = std::max(afterPrevious, beforeNext);
        // Never past the middle of the sentences either side.
        const size_t lowest = k > 0 ? (spans[k - 1].first + spans[k - 1].end) / 2 : 0;
        const size_t highest = k < spans.size() ? (spans[k].first + spans[k].end) / 2 : frames;
        search.from = std::max(
            lowest, search.expectFirst > kSearchFrames ? search.expectFirst - kSearchFrames : 0);
        search.to = std::min(highest, search.expectEnd + kSearchFrames);
        const Pause pause = pauses.find(search);
        const size_t inset = std::min(kPauseInsetFrames, (pause.end - pause.first) / 3);
        if (k > 0)
            ends[k - 1] = pause.first + inset;
        if (k < spans.size())
            starts[k] = pause.end - inset;
    }
    std::vector<AlignedSentence> out;
    for (size_t k = 0; k < spans.size(); ++k)
        out.push_back({qint64(starts[k]) * kMsPerFrame,
                       qint64(std::max(ends[k], starts[k] + 1)) * kMsPerFrame,
                       texts.at(qsizetype(k)),
                       int(k) + 1,
                       {},
                       1.0,
                       false});
    return out;
}

Alignment failed(AlignmentOutcome outcome, const QString& message) {
    Alignment result;
    result.outcome = outcome;
    result.message = message;
    return result;
}

} // namespace

Alignment alignTranscript(const QByteArray& mediaPath, const QStringList& sentences,
                          const AlignmentProgress& progress, AlignmentCheck check) {
    if (sentences.isEmpty())
        return failed(AlignmentOutcome::Mismatch, AlignText::tr("the transcript has no sentences"));
    RecordingFeatures recording;
    QString error;
    if (!recording.open(mediaPath, &error))
        return failed(AlignmentOutcome::Unreadable, error);
    const float topHz = std::min(7600.0f, 0.475f * float(recording.sampleRate()));
    ParallelFeatures reading(recording, topHz);
    auto report = [&](double synthShare) {
        return !progress || progress(0.45 * synthShare + 0.45 * reading.readShare());
    };
    bool cancelled = false;
    SyntheticSpeech synthetic = synthesiseSentences(
        sentences, topHz, [&](int done) { return report(double(done) / double(sentences.size())); },
        &error, &cancelled);
    if (synthetic.features.frames.empty()) {
        reading.stop();
        return failed(cancelled ? AlignmentOutcome::Cancelled : AlignmentOutcome::Unreadable,
                      error);
    }
    if (!reading.wait([&] { return report(1.0); }))
        return failed(AlignmentOutcome::Cancelled, QStringLiteral("cancelled"));
    if (!reading.result().ok)
        return failed(AlignmentOutcome::Unreadable, reading.result().error);
    SpeechFeatures real = recording.take();
    if (real.size() < 2)
        return failed(AlignmentOutcome::Mismatch, AlignText::tr("the recording holds no sound"));
    normaliseFeatures(synthetic.features.frames);
    normaliseFeatures(real.frames);
    const std::vector<RowMatch> path = warpSequences(synthetic.features.frames, real.frames);
    Alignment result;
    const PauseFinder pauses(real.levelDb);
    result.matchRatio = matchRatio(path, synthetic.sentences, synthetic.features.frames,
                                   real.frames, real.levelDb, pauses.quietBelowDb());
    const std::vector<Span> spans = carriedOver(path, synthetic.sentences);
    result.implausibleShare = implausibleShare(spans, synthetic.sentences);
    if (check == AlignmentCheck::RefuseMismatch &&
        (result.matchRatio > kMismatchRatio || result.implausibleShare > kImplausibleShare)) {
        result.outcome = AlignmentOutcome::Mismatch;
        result.message = AlignText::tr("the transcript does not match the recording's speech");
        return result;
    }
    result.sentences = edgesInPauses(spans, sentences, pauses);
    result.outcome = AlignmentOutcome::Done;
    if (progress)
        progress(1.0);
    return result;
}

} // namespace hearvex::lessons
