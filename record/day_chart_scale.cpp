#include "day_chart_scale.h"

#include "record_texts.h"

#include <algorithm>
#include <cmath>

namespace hearvex::record {

double minutesAxisTop(const std::vector<DayFigures>& days) {
    double most = 0;
    for (const DayFigures& day : days)
        most = std::max(most, day.minutes + day.shadowMinutes);
    const double step = std::max(5.0, std::ceil(most / 4.0 / 5.0) * 5.0);
    return 4 * step;
}

QString dayColumnToolTip(const DayFigures& day) {
    const QString date = QStringLiteral("%1月%2日：").arg(day.day.month()).arg(day.day.day());
    QStringList lines;
    if (day.sentences > 0) {
        const int percent = percentRight(day.wordsRight, day.wordsTotal);
        lines << QStringLiteral("听写 %1 句 %2 分钟，写对 %3")
                     .arg(day.sentences)
                     .arg(static_cast<int>(std::lround(day.minutes)))
                     .arg(percent < 0 ? QStringLiteral("—") : QStringLiteral("%1%").arg(percent));
    }
    if (day.shadowTakes > 0)
        lines << QStringLiteral("跟读 %1 次 %2 分钟")
                     .arg(day.shadowTakes)
                     .arg(day.shadowMinutes, 0, 'f', 1);
    if (lines.isEmpty())
        lines << QStringLiteral("没有练习");
    return date + lines.join(QLatin1Char('\n'));
}

} // namespace hearvex::record
