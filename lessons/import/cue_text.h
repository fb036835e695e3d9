// A subtitle cue's text as a lesson sentence: no FFmpeg, no I/O.
#pragma once

#include <QString>

namespace hearvex::lessons {

struct CueText {
    QString sentence; // one line; empty when nothing readable is left
    QString dropped;  // the characters GBK cannot hold, removed from it, in order
};

// Cleans a cue as subtitle files carry it (SubRip, WebVTT, LRC, the text field
// of an ASS event, mov_text): formatting tags and ASS override blocks removed,
// then HTML entities decoded, line breaks (real, ASS \N and \n) and Unicode
// spaces read as spaces, typographic punctuation as ASCII, characters beyond
// ASCII that GBK cannot hold dropped, runs of spaces made one, ends trimmed.
CueText cleanCueText(const QString& raw);

// The text field of an ASS event line "ReadOrder,Layer,Style,Name,MarginL,
// MarginR,MarginV,Effect,Text" (as FFmpeg hands ASS events), or the whole line
// when it has fewer fields.
QString assEventText(const QString& event);

} // namespace hearvex::lessons
