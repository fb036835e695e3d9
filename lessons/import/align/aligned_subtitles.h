// Aligned sentences as a SubRip file: one cue per sentence, in order.
#pragma once

#include "forced_aligner.h"

#include <QByteArray>
#include <vector>

namespace hearvex::lessons {

// "HH:MM:SS,mmm".
QByteArray srtTime(qint64 ms);

// UTF-8 without a byte-order mark, CR LF line ends (as most subtitle files
// are), cues numbered from 1.
QByteArray alignedSubtitles(const std::vector<AlignedSentence>& sentences);

} // namespace hearvex::lessons
