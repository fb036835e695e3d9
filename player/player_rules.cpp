#include "player_rules.h"

#include "twips.h"

#include <algorithm>

namespace hearvex::player {

QString timeText(int seconds) {
    seconds = std::max(seconds, 0);
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString cutAtNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

QString trackNameFromField(const char* field, int fieldSize) {
    return cutAtNul(QString::fromUtf8(field, fieldSize));
}

int seekBarMax(int totalSec) {
    return std::clamp(totalSec, 0, kMaxBarSeconds);
}

int seekBarLargeChange(int totalSec) {
    if (totalSec <= 10)
        return 1;
    return std::clamp(controls::roundHalfEven(totalSec / 10.0), 1, kMaxBarSeconds);
}

SeekDecision decideSeek(int v, int lc, bool notPlayedYet, int lastPosSec) {
    if (lc <= 1)
        return SeekDecision::Ignore;
    if (notPlayedYet && v == 0)
        return SeekDecision::Ignore;
    // 64-bit so a position near the top of the range cannot wrap the tolerance.
    if (int64_t(v) >= int64_t(lastPosSec) + lc || v < lastPosSec || notPlayedYet)
        return SeekDecision::Seek;
    return SeekDecision::Progress;
}

SeekDecision decideBarChange(int v, int lc, bool notPlayedYet, int lastPosSec,
                             BarChangeSource source) {
    if (source == BarChangeSource::Reset || (notPlayedYet && v == 0))
        return SeekDecision::Ignore;
    if (source == BarChangeSource::Thumb)
        return SeekDecision::Seek;
    if (lc > 1)
        return decideSeek(v, lc, notPlayedYet, lastPosSec);
    return source == BarChangeSource::StatusRefresh ? SeekDecision::Progress : SeekDecision::Seek;
}

QString trimSpaces(const QString& text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QByteArray trimSpaceBytes(const QByteArray& bytes) {
    qsizetype begin = 0, end = bytes.size();
    while (begin < end && bytes.at(begin) == ' ')
        ++begin;
    while (end > begin && bytes.at(end - 1) == ' ')
        --end;
    return bytes.mid(begin, end - begin);
}

} // namespace hearvex::player
