// One subtitle cue as read from its file or stream, before its text is
// cleaned: what the readers and the parsers hand on.
#pragma once

#include <QString>
#include <QtGlobal>

namespace hearvex::lessons {

inline constexpr qint64 kUntilNextCue = -1;

struct Cue {
    qint64 startMs = 0;
    qint64 endMs = kUntilNextCue; // LRC lines last until the next line
    QString text;                 // as the format carries it, tags and all
};

} // namespace hearvex::lessons
