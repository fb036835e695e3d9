#include "player_rules.h"

#include "twips.h"

#include <algorithm>
#include <climits>
#include <cstdint>

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
    return std::clamp(base::roundHalfEven(totalSec / 10.0), 1, kMaxBarSeconds);
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

QString outputText(bool playingSilently) {
    return playingSilently ? QStringLiteral("无声音设备") : QString();
}

int steppedSpeed(int percent, int steps) {
    const int64_t stepped = int64_t(percent) + int64_t(steps) * kSpeedStep;
    return int(std::clamp<int64_t>(stepped, kMinSpeed, kMaxSpeed));
}

QString speedText(int percent) {
    if (percent == kNormalSpeed)
        return {};
    const int hundredths = percent % 100;
    const QString fraction = hundredths % 10 == 0
                                 ? QString::number(hundredths / 10)
                                 : QStringLiteral("%1").arg(hundredths, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1.%2x").arg(percent / 100).arg(fraction);
}

int seekTarget(int pos, int seconds) {
    const int64_t target = int64_t(pos) + seconds;
    return int(std::clamp<int64_t>(target, 0, INT32_MAX));
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

} // namespace hearvex::player
