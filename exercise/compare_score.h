// What the aligned compare tells the learner: the score label's caption and tooltip.
#pragma once

#include "word_alignment.h"

#include <QString>

namespace hearvex::exercise {

// "N/M": N words of the sentence's M found in the typed text; "?/M" when the
// texts were too long to align.
QString scoreCaption(const WordAlignment& alignment);

// The sentence's missed words after a Chinese lead-in, ten to a line; or
// that all were found, that there was no sentence, or that it was too long.
QString scoreToolTip(const WordAlignment& alignment);

} // namespace hearvex::exercise
