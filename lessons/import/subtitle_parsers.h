// Subtitle files as text: SubRip, WebVTT (by the W3C parsing rules), LRC and
// the events of ASS/SSA,
// read into cues with checked times. A block that cannot be read is skipped
// with a warning naming its line, and reading goes on. No FFmpeg, no I/O.
#pragma once

#include "subtitle_cue.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace hearvex::lessons {

struct ParsedSubtitles {
    std::vector<Cue> cues; // text as the format carries it (tags, entities)
    QStringList warnings;
};

enum class SubtitleKind { SubRip, WebVtt, Lrc, Ass, Unknown };

// What the text is, from its content: the WEBVTT signature, ASS sections or
// events, SubRip timing lines, LRC time tags.
SubtitleKind subtitleKind(const QString& text);

// Line breaks may be CR LF, CR or LF.
ParsedSubtitles parseSubRip(const QString& text);
ParsedSubtitles parseWebVtt(const QString& text);
ParsedSubtitles parseLrc(const QString& text);
// The Dialogue events of an ASS or SSA script, in its Format line's field order.
ParsedSubtitles parseAss(const QString& text);

} // namespace hearvex::lessons
