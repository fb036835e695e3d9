#include "plain_text.h"

namespace hearvex::text {

QString trimSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QByteArray trimSpaces(const QByteArray& bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && bytes.at(begin) == ' ')
        ++begin;
    while (end > begin && bytes.at(end - 1) == ' ')
        --end;
    return bytes.mid(begin, end - begin);
}

QString firstLineOf(const QString& text) {
    qsizetype end = 0;
    while (end < text.size() && text.at(end) != QLatin1Char('\r') &&
           text.at(end) != QLatin1Char('\n'))
        ++end;
    return text.left(end);
}

} // namespace hearvex::text
