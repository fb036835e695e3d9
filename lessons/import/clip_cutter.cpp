#include "clip_cutter.h"

#include <QFile>
#include <algorithm>
#include <limits>

namespace hearvex::lessons {

ClipCutter::ClipCutter(const std::vector<PlannedLesson>& lessons, const ClipFormat& format,
                       ClipPath path)
    : m_lessons(lessons)
    , m_format(format)
    , m_path(std::move(path))
    , m_written(lessons.size(), false) {}

qint64 ClipCutter::toFrames(qint64 ms) const {
    if (ms == kToMediaEnd)
        return std::numeric_limits<qint64>::max();
    return (ms * m_format.sampleRate + 500) / 1000;
}

bool ClipCutter::feed(const float* const* planes, int frameCount, QString* error) {
    const qint64 chunkEnd = m_position + frameCount;
    while (m_next < m_lessons.size() && toFrames(m_lessons[m_next].firstMs) < chunkEnd) {
        auto encoder = ClipEncoder::create(m_path(m_next), m_format, error);
        if (!encoder)
            return false;
        m_open.push_back({m_next, toFrames(m_lessons[m_next].endMs), std::move(encoder)});
        ++m_next;
    }
    for (auto clip = m_open.begin(); clip != m_open.end();) {
        const qint64 from = std::max(m_position, toFrames(m_lessons[clip->lesson].firstMs));
        const qint64 to = std::min(chunkEnd, clip->endFrame);
        if (to > from) {
            const auto offset = static_cast<size_t>(from - m_position);
            const float* part[2] = {planes[0] + offset,
                                    planes[m_format.channels > 1 ? 1 : 0] + offset};
            if (!clip->encoder->write(part, static_cast<int>(to - from), error))
                return false;
        }
        if (clip->endFrame <= chunkEnd) {
            if (!clip->encoder->finish(error))
                return false;
            m_written[clip->lesson] = true;
            ++m_done;
            clip = m_open.erase(clip);
        } else {
            ++clip;
        }
    }
    m_position = chunkEnd;
    return true;
}

bool ClipCutter::finish(QString* error) {
    for (OpenClip& clip : m_open) {
        if (toFrames(m_lessons[clip.lesson].cueStartMs) >= m_position) {
            clip.encoder.reset();
            QFile::remove(m_path(clip.lesson));
            continue;
        }
        if (!clip.encoder->finish(error))
            return false;
        m_written[clip.lesson] = true;
        ++m_done;
    }
    m_open.clear();
    return true;
}

} // namespace hearvex::lessons
