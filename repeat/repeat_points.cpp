#include "repeat_points.h"

#include <algorithm>

namespace hearvex::repeat {

QString startCaption(int16_t start) {
    return QStringLiteral("复读起始位置：") + QString::number(start);
}

QString endCaption(int16_t end) {
    return QStringLiteral("复读结束位置：") + QString::number(end);
}

RepeatSpan lastSecondsSpan(int16_t position, int seconds) {
    const int start = std::max(int(position) - seconds, 0);
    return {static_cast<int16_t>(start), position};
}

bool mustJumpBack(bool repeatOn, int position, RepeatPoint end) {
    return repeatOn && position > pointValue(end);
}

RepeatSpan loopSpan(RepeatPoint start, RepeatPoint end) {
    const int16_t a = static_cast<int16_t>(pointValue(start));
    const int16_t b = static_cast<int16_t>(pointValue(end));
    if (start && end && b < a)
        return {b, a};
    return {a, b};
}

} // namespace hearvex::repeat
