// A plain transcript (prose, verse, a programme's script) as the sentences a
// recording of it speaks, in order: no FFmpeg, no I/O.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace hearvex::lessons {

struct TranscriptSentences {
    QStringList sentences; // cleaned as subtitle cues are, each one line
    QStringList warnings;  // characters dropped, each naming its sentence
};

// Sentences end at . ! ? (with any closing quotes or brackets) followed by a
// space, a line end or the end, but not after a common abbreviation; at 。！？;
// and always at a blank line, so a title or a line of verse standing alone is
// a sentence. Lines that are only a speaker label ("Neil:") or a bracketed
// note ("[music]", "(laughs)") are left out, and a label opening a line is
// dropped from it.
TranscriptSentences splitTranscript(const QString& text);

// The same for a transcript file's bytes: UTF-8, UTF-16 with a byte-order
// mark, or GB18030.
TranscriptSentences splitTranscriptBytes(const QByteArray& bytes);

// Whether a text file holds timings (SubRip, WebVTT, LRC, ASS/SSA) rather
// than a plain transcript, judged from its content, whatever its name.
bool looksLikeSubtitles(const QByteArray& bytes);

} // namespace hearvex::lessons
