// The record window's chart of the last days: words right in percent (a line,
// left axis) and minutes practised (bars, right axis: the dictation's, the
// shadowing's stacked on it), one column per day.
#pragma once

#include "practice_types.h"

#include <QChart>
#include <vector>

namespace hearvex::record {

// A new chart of days (oldest first), drawn for the windows' blue-grey:
// white text, no background of its own. The caller owns it.
QChart* makeDayChart(const std::vector<DayFigures>& days);

} // namespace hearvex::record
