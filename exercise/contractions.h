// Contractions and the words they stand for: "it's" for "it is" or "it has",
// "can't" for "cannot" or "can not", "won't" for "will not".
#pragma once

#include <QString>
#include <QStringList>

namespace hearvex::exercise {

// The spellings in full of a contracted word (lower case, ASCII apostrophe),
// each as words separated by one space; empty when the word is no contraction.
QStringList contractionExpansions(const QString& word);

// Whether one side is a contraction of the other; each side is its words in
// lower case, separated by one space.
bool isContractionOf(const QString& a, const QString& b);

} // namespace hearvex::exercise
