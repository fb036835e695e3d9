// Which lessons an import makes from a subtitle track: no FFmpeg, no I/O.
#pragma once

#include "subtitle_reader.h"

#include <QStringList>
#include <limits>
#include <vector>

namespace hearvex::lessons {

inline constexpr qint64 kToMediaEnd = std::numeric_limits<qint64>::max();

// Clips reach this far beyond each cue, so a word's onset and fade survive.
inline constexpr qint64 kClipMarginMs = 300;

struct PlannedLesson {
    int cue = 0; // 1-based, in the order of start time
    qint64 cueStartMs = 0;
    qint64 firstMs = 0; // the clip, margins included (not yet clamped to the media's end)
    qint64 endMs = 0;   // kToMediaEnd for the last LRC line
    QString sentence;
};

struct ImportPlan {
    std::vector<PlannedLesson> lessons; // sorted by start
    QStringList warnings;
};

// Cues sorted by start; a cue without an end lasts until the next cue starts
// (or the media ends); cleaned text; empty cues left out, characters GBK
// cannot hold dropped with a warning naming the cue.
ImportPlan planLessons(std::vector<Cue> cues);

// "1:02:03.450" or "2:03.450": a time as a learner reads it in a player.
QString clockText(qint64 ms);

} // namespace hearvex::lessons
