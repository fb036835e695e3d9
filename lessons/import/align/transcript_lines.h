// What each line of a plain transcript is: spoken words, a speaker's label,
// a note on the sound, a title standing above the text. No I/O.
#pragma once

#include <QString>

namespace hearvex::lessons {

// The line as it is read aloud: without a speaker label opening it (up to
// four words before a colon: "Neil:", "Dr. Lee:", "Speaker 1:", "Caller from
// Galloway:") and without [notes]; empty when nothing of it is spoken (a
// label alone, "[music]", "(laughs)").
QString spokenPart(const QString& line);

// Whether the first spoken line of a paragraph is a line of its own (a
// title pasted above the text, a heading) rather than the start of a
// sentence broken across lines: it ends without a mark, is short, and the
// next spoken line (empty after a blank line or at the end) does not go on
// in lower case.
bool standsAlone(const QString& line, const QString& next);

} // namespace hearvex::lessons
