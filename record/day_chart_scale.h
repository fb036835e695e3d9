// The numbers behind the record window's chart of the last days, apart from
// the chart so they can be checked without one.
#pragma once

#include "practice_types.h"

#include <QString>
#include <vector>

namespace hearvex::record {

// The minutes axis's top: room above the highest day, its dictation and its
// shadowing stacked, in four steps of whole five minutes so that the ticks
// fall on the percent axis's (0, 25, 50, 75, 100).
double minutesAxisTop(const std::vector<DayFigures>& days);

// What a day's column says when the pointer rests on it:
// "3月5日：听写 4 句 12 分钟，写对 82%\n跟读 6 次 4.5 分钟".
QString dayColumnToolTip(const DayFigures& day);

} // namespace hearvex::record
