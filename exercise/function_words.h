// The function words of English: articles, prepositions, pronouns,
// auxiliaries and conjunctions. They are spoken weak and short, so a learner
// misses them for other reasons than the words that carry the meaning.
#pragma once

#include <QString>

namespace hearvex::exercise {

// Takes a word in lower case, without the punctuation around it.
bool isFunctionWord(const QString& word);

} // namespace hearvex::exercise
