#include "keyword_scan.h"

#include <cstdint>
#include <limits>

namespace hearvex::exercise {

bool isHintWordCharacter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
           u == u'_';
}

QString wordAt(const QString& answerText, int charIndex) {
    // Positions in the sentence are 16-bit: 1 to 32767, that is indexes 0 to 32766.
    if (charIndex < 0 || charIndex > std::numeric_limits<std::int16_t>::max() - 1 ||
        charIndex >= answerText.size())
        return {};
    if (!isHintWordCharacter(answerText.at(charIndex)))
        return {};
    qsizetype start = charIndex;
    while (start > 0 && isHintWordCharacter(answerText.at(start - 1)))
        --start;
    qsizetype end = charIndex;
    while (end + 1 < answerText.size() && isHintWordCharacter(answerText.at(end + 1)))
        ++end;
    return answerText.mid(start, end - start + 1);
}

} // namespace hearvex::exercise
