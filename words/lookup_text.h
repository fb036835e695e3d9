// A looked-up word as text: the lesson tool's lines, and the glosses as one
// field.
#pragma once

#include "dictionary.h"

#include <QString>

namespace hearvex::words {

// The word's glosses, then its lemma's when the lemma is another word, joined
// by " | ".
QString joinedGlosses(const WordEntry& entry);

// asked<TAB>lemma<TAB>ipa<TAB>band<TAB>glosses, the word as it was asked for
// first, so that lines can be joined with the words; no tab or line break
// inside a field.
QString lookupTsvLine(const QString& asked, const WordEntry& entry);

// "ran → run  /ɹæn/  band 1", then the forms and the glosses, each on a line
// indented by two spaces; the lemma's glosses after "run:".
QStringList lookupReport(const WordEntry& entry);

} // namespace hearvex::words
