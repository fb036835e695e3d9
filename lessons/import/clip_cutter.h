// Cuts the planned clips out of the media's PCM as it streams past, once: each
// clip has its own encoder, so clips that overlap each get their full sound
// without the media being read again. A clip's edges are found in the pause
// spans the plan gives (pause_cut.h): the cutter keeps the last second or so
// of the media, decides an edge once its span has streamed past, and fades
// both ends.
#pragma once

#include "clip_encoder.h"
#include "import_plan.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace hearvex::lessons {

class ClipCutter {
public:
    // The file that clip i (an index into lessons) is written to.
    using ClipPath = std::function<QByteArray(size_t)>;

    ClipCutter(const std::vector<PlannedLesson>& lessons, const ClipFormat& format, ClipPath path);
    ~ClipCutter();

    // The next frames of the media, in order from its start.
    bool feed(const float* const* planes, int frameCount, QString* error);
    // The media has ended: clips still open end at its end; those whose cue
    // starts at or after it are dropped.
    bool finish(QString* error);

    qint64 positionFrames() const { return m_position; }
    int clipsDone() const { return m_done; }
    // After finish: which lessons got their recording.
    const std::vector<bool>& written() const { return m_written; }
    // Where each written clip starts and ends in the media (frames).
    const std::vector<std::pair<qint64, qint64>>& cuts() const { return m_cuts; }

private:
    struct OpenClip {
        size_t lesson;
        qint64 firstFrame;
        qint64 writtenTo; // frames before this are encoded
        std::unique_ptr<ClipEncoder> encoder;
    };
    qint64 toFrames(qint64 ms) const;
    bool feedPiece(const float* const* planes, int frameCount, QString* error);
    bool startClips(bool atEnd, QString* error);
    bool endClips(bool atEnd, QString* error);
    // Where an edge is cut between the frames from and to, nearest the cue's edge at anchor.
    qint64 cutIn(qint64 from, qint64 to, qint64 anchor) const;
    bool write(OpenClip& clip, qint64 to, qint64 lastFrame, QString* error);
    void trimHistory();

    const std::vector<PlannedLesson>& m_lessons;
    ClipFormat m_format;
    ClipPath m_path;
    std::vector<OpenClip> m_open;
    std::vector<bool> m_written;
    std::vector<bool> m_started;
    std::vector<std::pair<qint64, qint64>> m_cuts;
    size_t m_next = 0; // lessons before it have all started
    qint64 m_position = 0;
    int m_done = 0;
    std::vector<float> m_history[2]; // the media from m_historyStart to m_position
    qint64 m_historyStart = 0;
    std::vector<float> m_faded[2];
};

} // namespace hearvex::lessons
