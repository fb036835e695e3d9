// The word lookup of the keyword hint, apart from any window.
#pragma once

#include <QString>

namespace hearvex::exercise {

// Word characters of the hint: ASCII letters, digits and the underscore. Every
// other character ends a word, so "don't" is two words, don and t.
bool isHintWordCharacter(QChar c);

// The word of answerText holding the character at the 0-based index the box's
// hit test gives, or "" when that character is no word character, the index
// lies beyond the text or outside the sentence's 16-bit positions.
QString wordAt(const QString& answerText, int charIndex);

} // namespace hearvex::exercise
