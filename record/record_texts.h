// The words the record window and the lesson library use for the practice
// record's figures: plain functions over its data, so they read the same
// wherever they are shown.
#pragma once

#include "practice_types.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace hearvex::record {

// "今天：练习 5 句　写对 82%　用时 12 分钟"; before any practice today the
// percentage reads "—".
QString todayCaption(const DayFigures& today);
// "连续练习 3 天", or "今天还没有练习" when the row is empty.
QString daysInARowCaption(int daysInARow, const DayFigures& today);

// Words right of words total in whole percent, rounded; -1 with no words.
int percentRight(int wordsRight, int wordsTotal);

// When something is due, as a learner reads it against now: "已到期",
// "今天 14:20", "明天 09:00", "3 天后" (always the local date and time).
QString dueCaption(const QDateTime& due, const QDateTime& now);
// When something happened: "今天 14:20", "昨天 09:00", "12月3日".
QString whenCaption(const QDateTime& time, const QDateTime& now);

// The sentences coming due on each of the days after now's, tomorrow first:
// "未来 7 天到期：明天 3　周四 5　周五 0 …（句）"; nothing coming: "未来 7 天没有到期的句子".
QString comingDueCaption(const std::vector<int>& counts, const QDateTime& now);
// One line a day with its date: "12月8日（明天）：3 句".
QString comingDueToolTip(const std::vector<int>& counts, const QDateTime& now);

// The lesson library's tooltip for a practised lesson:
// "上次：7/9（今天 14:20）\n复习：明天 09:00".
QString standingToolTip(const QString& lastResult, const QDateTime& lastTime, const QDateTime& due,
                        const QDateTime& now);

} // namespace hearvex::record
