#include "aligned_subtitles.h"

#include <algorithm>

namespace hearvex::lessons {

QByteArray srtTime(qint64 ms) {
    ms = std::max<qint64>(ms, 0);
    return QStringLiteral("%1:%2:%3,%4")
        .arg(ms / 3'600'000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60'000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'))
        .toLatin1();
}

QByteArray alignedSubtitles(const std::vector<AlignedSentence>& sentences) {
    QByteArray out;
    int number = 0;
    for (const AlignedSentence& s : sentences) {
        out += QByteArray::number(++number) + "\r\n";
        out += srtTime(s.startMs) + " --> " + srtTime(std::max(s.endMs, s.startMs)) + "\r\n";
        out += s.text.toUtf8() + "\r\n\r\n";
    }
    return out;
}

} // namespace hearvex::lessons
