// Which lessons an import makes from a list of cues: no FFmpeg, no I/O.
#pragma once

#include "pause_cut.h"
#include "subtitle_reader.h"
#include "word_times.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

namespace hearvex::lessons {

struct PlannedLesson {
    int cue = 0; // 1-based, in the order of start time
    qint64 cueStartMs = 0;
    qint64 cueEndMs = 0; // kOpenEnd: the last LRC line, until the media ends
    ClipSpans spans;     // where the clip's edges are looked for
    QString sentence;
    QByteArray text; // the lesson's text file, enciphered
    WordTimes words; // the sentence's words in ms of the media; empty when not found
    int phrase = 0;  // 1-based: which phrase of its cue's sentence; 0 for a whole sentence
};

struct ImportPlan {
    std::vector<PlannedLesson> lessons; // sorted by start
    QStringList warnings;
};

// Cues sorted by start; a cue without an end lasts until the next cue starts
// (or the media ends); cleaned text; empty cues left out; characters GBK
// cannot hold dropped, and texts too long for a lesson skipped, with a
// warning naming the cue. Each lesson's clip spans reach towards its
// neighbours' edges.
ImportPlan planLessons(std::vector<Cue> cues);

// "1:02:03.450" or "2:03.450": a time as a learner reads it in a player.
QString clockText(qint64 ms);

} // namespace hearvex::lessons
