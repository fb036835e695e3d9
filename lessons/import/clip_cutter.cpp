#include "clip_cutter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hearvex::lessons {

namespace {
// Media is taken in pieces of at most this much, so that no edge is decided
// later than this after its span has passed and the kept media stays short.
constexpr double kPieceSeconds = 0.25;
constexpr qint64 kFar = std::numeric_limits<qint64>::max();
} // namespace

ClipCutter::ClipCutter(const std::vector<PlannedLesson>& lessons, const ClipFormat& format,
                       ClipPath path)
    : m_lessons(lessons)
    , m_format(format)
    , m_path(std::move(path))
    , m_written(lessons.size(), false)
    , m_started(lessons.size(), false)
    , m_cuts(lessons.size(), {0, 0}) {}

ClipCutter::~ClipCutter() = default;

qint64 ClipCutter::toFrames(qint64 ms) const {
    if (ms == kOpenEnd)
        return kFar;
    return (ms * m_format.sampleRate + 500) / 1000;
}

bool ClipCutter::feed(const float* const* planes, int frameCount, QString* error) {
    const int piece = std::max(1, int(m_format.sampleRate * kPieceSeconds));
    for (int done = 0; done < frameCount; done += piece) {
        const float* part[2] = {planes[0] + done, planes[m_format.channels > 1 ? 1 : 0] + done};
        if (!feedPiece(part, std::min(piece, frameCount - done), error))
            return false;
    }
    return true;
}

bool ClipCutter::feedPiece(const float* const* planes, int frameCount, QString* error) {
    for (int c = 0; c < m_format.channels; ++c)
        m_history[c].insert(m_history[c].end(), planes[c], planes[c] + frameCount);
    m_position += frameCount;
    if (!startClips(false, error) || !endClips(false, error))
        return false;
    trimHistory();
    return true;
}

bool ClipCutter::finish(QString* error) {
    return startClips(true, error) && endClips(true, error);
}

qint64 ClipCutter::cutIn(qint64 from, qint64 to, qint64 anchor) const {
    from = std::max(from, m_historyStart);
    if (to <= from)
        return from;
    const auto offset = size_t(from - m_historyStart);
    const float* planes[2] = {m_history[0].data() + offset,
                              m_history[m_format.channels > 1 ? 1 : 0].data() + offset};
    return from +
           cutFrame(planes, m_format.channels, to - from, m_format.sampleRate, anchor - from);
}

// Opens each clip whose start span has streamed past, in the pause nearest its cue.
bool ClipCutter::startClips(bool atEnd, QString* error) {
    for (size_t i = m_next; i < m_lessons.size(); ++i) {
        const PlannedLesson& lesson = m_lessons[i];
        if (toFrames(lesson.cueStartMs - kPauseSearchMs) > m_position)
            break; // sorted by start: no later clip can start yet
        const qint64 spanEnd = toFrames(lesson.spans.start.toMs);
        if (m_started[i] || (spanEnd > m_position && !atEnd) ||
            toFrames(lesson.cueStartMs) >= m_position)
            continue;
        const qint64 first = cutIn(toFrames(lesson.spans.start.fromMs),
                                   std::min(spanEnd, m_position), toFrames(lesson.cueStartMs));
        auto encoder = ClipEncoder::create(m_path(i), m_format, error);
        if (!encoder)
            return false;
        m_started[i] = true;
        m_open.push_back({i, first, first, std::move(encoder)});
    }
    while (m_next < m_lessons.size() && m_started[m_next])
        ++m_next;
    return true;
}

// Writes what surely lies before each open clip's end, and ends the clips
// whose end span has streamed past (at the media's end, all of them).
bool ClipCutter::endClips(bool atEnd, QString* error) {
    const qint64 fadeFrames = qint64(std::ceil(kFadeMs * m_format.sampleRate / 1000.0));
    for (auto clip = m_open.begin(); clip != m_open.end();) {
        const ClipSpans& spans = m_lessons[clip->lesson].spans;
        const qint64 spanStart = toFrames(spans.end.fromMs);
        const qint64 spanEnd = toFrames(spans.end.toMs);
        if (!atEnd && spanEnd > m_position) {
            // The last frames may yet be faded out, at the span or at the media's end.
            const qint64 surely =
                std::min(m_position, spanStart == kFar ? kFar : spanStart) - fadeFrames;
            if (!write(*clip, surely, -1, error))
                return false;
            ++clip;
            continue;
        }
        const qint64 from = std::max(std::min(spanStart, m_position), clip->writtenTo);
        const qint64 cueEnd = toFrames(m_lessons[clip->lesson].cueEndMs);
        const qint64 last = std::max(cutIn(from, std::min(spanEnd, m_position), cueEnd),
                                     std::min(clip->firstFrame + 1, m_position));
        if (!write(*clip, last, last, error) || !clip->encoder->finish(error))
            return false;
        m_written[clip->lesson] = true;
        m_cuts[clip->lesson] = {clip->firstFrame, last};
        ++m_done;
        clip = m_open.erase(clip);
    }
    return true;
}

// Encodes the clip's frames up to `to`, faded in at its first frame and, once
// its last frame is known (lastFrame >= 0), out at that.
bool ClipCutter::write(OpenClip& clip, qint64 to, qint64 lastFrame, QString* error) {
    const qint64 from = std::max(clip.writtenTo, m_historyStart);
    if (to <= from)
        return true;
    const qint64 clipFrames = lastFrame < 0 ? kFar / 2 : lastFrame - clip.firstFrame;
    const auto count = size_t(to - from);
    const float* planes[2];
    for (int c = 0; c < m_format.channels; ++c) {
        const float* source = m_history[c].data() + (from - m_historyStart);
        m_faded[c].resize(count);
        for (size_t i = 0; i < count; ++i)
            m_faded[c][i] = source[i] * edgeFadeGain(from - clip.firstFrame + qint64(i), clipFrames,
                                                     m_format.sampleRate);
        planes[c] = m_faded[c].data();
    }
    if (m_format.channels == 1)
        planes[1] = planes[0];
    clip.writtenTo = to;
    return clip.encoder->write(planes, int(count), error);
}

// Drops the media no clip can still need: all before the earliest frame an
// open clip has not written or a coming clip may start at.
void ClipCutter::trimHistory() {
    qint64 needed = m_position;
    for (const OpenClip& clip : m_open)
        needed = std::min(needed, clip.writtenTo);
    for (size_t i = m_next; i < m_lessons.size(); ++i) {
        if (toFrames(m_lessons[i].cueStartMs - kPauseSearchMs) > m_position)
            break;
        if (!m_started[i])
            needed = std::min(needed, toFrames(m_lessons[i].spans.start.fromMs));
    }
    const qint64 drop = needed - m_historyStart;
    if (drop < m_format.sampleRate) // in steps of a second, not every piece
        return;
    for (int c = 0; c < m_format.channels; ++c)
        m_history[c].erase(m_history[c].begin(), m_history[c].begin() + drop);
    m_historyStart = needed;
}

} // namespace hearvex::lessons
