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
// a sentence. A short first line without a mark before a line that does not
// go on in lower case is a sentence of its own too (transcript_lines.h), so
// a title above the text is never joined to what is spoken. Lines that are
// only a speaker label ("Neil:") or a bracketed note ("[music]", "(laughs)")
// are left out, and a label opening a line is dropped from it. In an English
// sentence the full-width marks 。！？，；： become ASCII. A web page's source
// is read as its text (transcript_html.h), with a warning that says so.
TranscriptSentences splitTranscript(const QString& text);

// The same for a transcript file's bytes: UTF-8, UTF-16 with a byte-order
// mark, or GB18030.
TranscriptSentences splitTranscriptBytes(const QByteArray& bytes);

// Whether a text file holds timings (SubRip, WebVTT, LRC, ASS/SSA) rather
// than a plain transcript, judged from its content, whatever its name.
bool looksLikeSubtitles(const QByteArray& bytes);

enum class TranscriptKind {
    Transcript,   // text to split and align
    Empty,        // nothing but white space
    NotText,      // NUL bytes: a recording or another binary file
    Subtitles,    // timed already
    EmptyWebPage, // a web page's source without any text to speak
};

// What a file given as a transcript holds, judged from its bytes.
TranscriptKind transcriptKind(const QByteArray& bytes);

} // namespace hearvex::lessons
