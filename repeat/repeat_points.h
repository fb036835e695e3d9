// The A-B repeat's rules that need no window: the two points, what the labels
// say about them, the last-N-seconds shortcut and the loop check.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace hearvex::repeat {

// A repeat point in whole seconds of play position; empty until first set,
// and an empty point reads as 0 wherever it is compared or written.
using RepeatPoint = std::optional<int16_t>;

inline int pointValue(RepeatPoint point) {
    return point.value_or(0);
}

// The label texts after a change: "复读起始位置：37" and "复读结束位置：52".
QString startCaption(int16_t start);
QString endCaption(int16_t end);

struct RepeatSpan {
    int16_t start;
    int16_t end;
};

// Repeat the last `seconds` before `position`: B is the position, A lies that far
// back but never before the start of the track (position 5, 10 s: A 0, B 5).
RepeatSpan lastSecondsSpan(int16_t position, int seconds);

// The loop check: while repeat is on, a position strictly beyond B goes back to A.
bool mustJumpBack(bool repeatOn, int position, RepeatPoint end);

// The stretch the loop repeats: from A to B, or from B to A when B was set
// before A and lies earlier. A point never set reads as 0 as usual, so B
// alone loops from the start of the track.
RepeatSpan loopSpan(RepeatPoint start, RepeatPoint end);

} // namespace hearvex::repeat
