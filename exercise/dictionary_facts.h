// The kinds of miss asking the program's dictionary.
#pragma once

#include "word_facts.h"

namespace hearvex::words {
class Dictionary;
}

namespace hearvex::exercise {

// Facts from an open dictionary, which must outlive what is returned. A
// dictionary that is not open knows no word: every kind that needs one (a
// homophone, a form, a spelling slip, a rare word) is then never found.
WordFacts dictionaryFacts(const words::Dictionary& dictionary);

} // namespace hearvex::exercise
