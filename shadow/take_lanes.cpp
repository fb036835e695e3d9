#include "take_lanes.h"

#include "take_store.h"

#include <algorithm>

namespace hearvex::shadow {

namespace {

constexpr qint64 kMarginMs = 300;

WordMark markOf(const WordResult& word) {
    switch (word.verdict) {
    case Verdict::Missed:
        return WordMark::Missed;
    case Verdict::Unclear:
        return WordMark::Unclear;
    case Verdict::Said:
        break;
    }
    if (word.pauseBefore)
        return WordMark::PauseBefore;
    return word.pace == Pace::Slow   ? WordMark::Slow
           : word.pace == Pace::Fast ? WordMark::Fast
                                     : WordMark::None;
}

} // namespace

Span sentenceSpan(const lessons::WordTimes& modelWords, qint64 clipMs) {
    Span span{0, clipMs};
    if (modelWords.empty())
        return span;
    span.startMs = std::clamp(modelWords.front().startMs - kMarginMs, qint64(0), clipMs);
    span.endMs = std::clamp(modelWords.back().endMs + kMarginMs, span.startMs, clipMs);
    return span;
}

Lane modelLane(const std::vector<float>& clip, const lessons::WordTimes& modelWords,
               const TakeAnalysis& analysis) {
    Lane lane;
    lane.caption = QStringLiteral("原声");
    const qint64 clipMs = qint64(clip.size()) * 1000 / kTakeRate;
    const Span span = sentenceSpan(modelWords, clipMs);
    const auto first = size_t(span.startMs * kTakeRate / 1000);
    const auto end = std::min(clip.size(), size_t(span.endMs * kTakeRate / 1000));
    lane.samples.assign(clip.begin() + ptrdiff_t(first), clip.begin() + ptrdiff_t(end));
    lane.pitch = trackPitch(lane.samples, kTakeRate);
    const bool judged = analysis.words.size() == modelWords.size();
    for (size_t i = 0; i < modelWords.size(); ++i) {
        const Verdict verdict = judged ? analysis.words[i].verdict : Verdict::Said;
        lane.words.push_back({modelWords[i].text, modelWords[i].startMs - span.startMs,
                              modelWords[i].endMs - span.startMs,
                              verdict == Verdict::Missed    ? WordMark::Missed
                              : verdict == Verdict::Unclear ? WordMark::Unclear
                                                            : WordMark::None});
    }
    return lane;
}

Lane takeLane(std::vector<float> take, const TakeAnalysis& analysis) {
    Lane lane;
    lane.caption = QStringLiteral("跟读");
    lane.samples = std::move(take);
    lane.pitch = trackPitch(lane.samples, kTakeRate);
    for (const WordResult& word : analysis.words) {
        if (word.verdict == Verdict::Missed)
            lane.unplaced << word.text;
        else
            lane.words.push_back(
                {word.text, word.startMs, word.endMs, markOf(word), word.pace, word.pauseBefore});
    }
    return lane;
}

QString paceTag(Pace pace) {
    switch (pace) {
    case Pace::Slow:
        return QStringLiteral("慢");
    case Pace::Fast:
        return QStringLiteral("快");
    case Pace::Unknown:
    case Pace::Usual:
        break;
    }
    return {};
}

QString timingSummary(const Lane& lane) {
    QStringList slow, fast, paused;
    for (const LaneWord& word : lane.words) {
        if (word.pace == Pace::Slow)
            slow << word.text;
        if (word.pace == Pace::Fast)
            fast << word.text;
        if (word.pauseBefore)
            paused << QStringLiteral("在 %1 前").arg(word.text);
    }
    QStringList parts;
    const QString space = QStringLiteral(" ");
    if (!slow.isEmpty())
        parts << QStringLiteral("慢：") + slow.join(space);
    if (!fast.isEmpty())
        parts << QStringLiteral("快：") + fast.join(space);
    if (!paused.isEmpty())
        parts << QStringLiteral("多停顿：") + paused.join(QStringLiteral("、"));
    return parts.join(QStringLiteral("　"));
}

} // namespace hearvex::shadow
