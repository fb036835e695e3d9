// Cuts the planned clips out of the media's PCM as it streams past, once: each
// clip has its own encoder, open from its first frame to its last, so clips
// that overlap each get their full sound without the media being read again.
#pragma once

#include "clip_encoder.h"
#include "import_plan.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace hearvex::lessons {

class ClipCutter {
public:
    // The file that clip i (an index into lessons) is written to.
    using ClipPath = std::function<QString(size_t)>;

    ClipCutter(const std::vector<PlannedLesson>& lessons, const ClipFormat& format, ClipPath path);

    // The next frames of the media, in order from its start.
    bool feed(const float* const* planes, int frameCount, QString* error);
    // The media has ended: clips still open are completed at its end; those
    // whose cue starts at or after it are dropped.
    bool finish(QString* error);

    qint64 positionFrames() const { return m_position; }
    int clipsDone() const { return m_done; }
    // After finish: which lessons got their recording.
    const std::vector<bool>& written() const { return m_written; }

private:
    struct OpenClip {
        size_t lesson;
        qint64 endFrame;
        std::unique_ptr<ClipEncoder> encoder;
    };
    qint64 toFrames(qint64 ms) const;

    const std::vector<PlannedLesson>& m_lessons;
    ClipFormat m_format;
    ClipPath m_path;
    std::vector<OpenClip> m_open;
    std::vector<bool> m_written;
    size_t m_next = 0;
    qint64 m_position = 0;
    int m_done = 0;
};

} // namespace hearvex::lessons
