#include "record_texts.h"

#include <cmath>

namespace hearvex::record {

int percentRight(int wordsRight, int wordsTotal) {
    if (wordsTotal <= 0)
        return -1;
    return static_cast<int>(std::lround(100.0 * wordsRight / wordsTotal));
}

QString todayCaption(const DayFigures& today) {
    const int percent = percentRight(today.wordsRight, today.wordsTotal);
    const QString right = percent < 0 ? QStringLiteral("—") : QStringLiteral("%1%").arg(percent);
    QString caption = QStringLiteral("今天：练习 %1 句　写对 %2　用时 %3 分钟")
                          .arg(today.sentences)
                          .arg(right)
                          .arg(static_cast<int>(std::lround(today.minutes)));
    if (today.shadowTakes > 0)
        caption += QStringLiteral("　跟读 %1 次 %2 分钟")
                       .arg(today.shadowTakes)
                       .arg(today.shadowMinutes, 0, 'f', 1);
    return caption;
}

QString daysInARowCaption(int daysInARow, const DayFigures& today) {
    if (daysInARow <= 0)
        return today.sentences > 0 ? QStringLiteral("今天开始连续练习")
                                   : QStringLiteral("今天还没有练习");
    return QStringLiteral("连续练习 %1 天").arg(daysInARow);
}

namespace {
QString clock(const QDateTime& local) {
    return local.toString(QStringLiteral("HH:mm"));
}
} // namespace

QString dueCaption(const QDateTime& due, const QDateTime& now) {
    if (!due.isValid())
        return {};
    if (due <= now)
        return QStringLiteral("已到期");
    const QDateTime local = due.toLocalTime();
    const qint64 days = now.toLocalTime().date().daysTo(local.date());
    if (days == 0)
        return QStringLiteral("今天 %1").arg(clock(local));
    if (days == 1)
        return QStringLiteral("明天 %1").arg(clock(local));
    return QStringLiteral("%1 天后").arg(days);
}

QString whenCaption(const QDateTime& time, const QDateTime& now) {
    if (!time.isValid())
        return {};
    const QDateTime local = time.toLocalTime();
    const qint64 daysAgo = local.date().daysTo(now.toLocalTime().date());
    if (daysAgo == 0)
        return QStringLiteral("今天 %1").arg(clock(local));
    if (daysAgo == 1)
        return QStringLiteral("昨天 %1").arg(clock(local));
    return QStringLiteral("%1月%2日").arg(local.date().month()).arg(local.date().day());
}

namespace {
QString dayName(const QDate& day, qint64 daysAhead) {
    if (daysAhead == 1)
        return QStringLiteral("明天");
    static const char* const kWeekdays[] = {"周一", "周二", "周三", "周四", "周五", "周六", "周日"};
    return QString::fromUtf8(kWeekdays[day.dayOfWeek() - 1]);
}
} // namespace

QString comingDueCaption(const std::vector<int>& counts, const QDateTime& now) {
    if (counts.empty())
        return {}; // no record read
    const QDate today = now.toLocalTime().date();
    QStringList days;
    int total = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const qint64 ahead = qint64(i) + 1;
        days << QStringLiteral("%1 %2").arg(dayName(today.addDays(ahead), ahead)).arg(counts[i]);
        total += counts[i];
    }
    if (total == 0)
        return QStringLiteral("未来 %1 天没有到期的句子").arg(counts.size());
    return QStringLiteral("未来 %1 天到期：%2（句）")
        .arg(counts.size())
        .arg(days.join(QStringLiteral("　")));
}

QString comingDueToolTip(const std::vector<int>& counts, const QDateTime& now) {
    const QDate today = now.toLocalTime().date();
    QStringList lines;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const qint64 ahead = qint64(i) + 1;
        const QDate day = today.addDays(ahead);
        lines << QStringLiteral("%1月%2日（%3）：%4 句")
                     .arg(day.month())
                     .arg(day.day())
                     .arg(dayName(day, ahead))
                     .arg(counts[i]);
    }
    return lines.join(QLatin1Char('\n'));
}

QString standingToolTip(const QString& lastResult, const QDateTime& lastTime, const QDateTime& due,
                        const QDateTime& now) {
    QString tip = QStringLiteral("上次：%1").arg(lastResult);
    if (lastTime.isValid())
        tip += QStringLiteral("（%1）").arg(whenCaption(lastTime, now));
    if (due.isValid())
        tip += QStringLiteral("\n复习：%1").arg(dueCaption(due, now));
    return tip;
}

} // namespace hearvex::record
