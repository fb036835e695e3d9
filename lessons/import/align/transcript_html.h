// A web page saved or pasted as a transcript, read as the text a browser
// shows of it. No I/O.
#pragma once

#include <QString>

namespace hearvex::lessons {

// Whether a transcript is a web page's source (HTML) rather than its text:
// it opens as a page does, or its lines are cut by paragraph and break tags.
bool looksLikeHtml(const QString& text);

// The page's text as a plain transcript: the head, scripts, styles and
// comments left out, other tags removed, entities decoded (with '&' and '<'
// written as entities again, so that cleaning the sentences later keeps them
// as text), the source's line breaks read as spaces, each block (paragraph,
// heading, list item, row...) ending with a blank line and <br> a line break.
QString htmlAsTranscript(const QString& html);

} // namespace hearvex::lessons
