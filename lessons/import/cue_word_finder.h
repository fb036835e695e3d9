// The import's word finder (cue_words.h) with CMU Sphinx: the media streamed
// once as 16 kHz speech, each sentence's words aligned inside its cue's span
// widened by kCueMarginMs either side (subtitle times are often a little off)
// as soon as that span has been read; only the speech the searches still to
// come need is kept, so memory does not grow with the media's length.
#pragma once

#include "cue_words.h"

namespace hearvex::lessons {

inline constexpr qint64 kCueMarginMs = 500;

// A finder that loads the speech model on its first search and keeps it for
// the next ones; use it from one thread at a time.
WordFinder speechWordFinder();

} // namespace hearvex::lessons
