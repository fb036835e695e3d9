#include "day_chart.h"

#include "day_chart_scale.h"
#include "fonts.h"
#include "record_texts.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>

namespace hearvex::record {

namespace {

const QColor kMinutesColor{255, 214, 102};
// Shadowing stands on the dictation in a lighter colour, hatched and
// outlined, so the two tell apart without seeing colours.
const QColor kShadowColor{140, 214, 255};
const QColor kPercentColor{255, 255, 255};
const QColor kGridColor{255, 255, 255, 50};

QValueAxis* valueAxis(const QString& title, double top, const QColor& labels) {
    auto* axis = new QValueAxis;
    axis->setRange(0, top);
    axis->setTickCount(5);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setLabelsFont(controls::interfaceFont(10));
    axis->setLabelsColor(labels);
    axis->setTitleText(title);
    axis->setTitleFont(controls::interfaceFont(10));
    axis->setTitleBrush(labels);
    axis->setGridLineColor(kGridColor);
    axis->setLinePenColor(kGridColor);
    return axis;
}

// Every fifth day along the bottom, counted back from today, with its month
// and day; the bars and the line stand at the days' indexes.
QCategoryAxis* dayAxis(const std::vector<DayFigures>& days) {
    auto* axis = new QCategoryAxis;
    const int count = static_cast<int>(days.size());
    axis->setRange(-0.5, std::max(count, 1) - 0.5);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // Categories go in rising order; counted from today, the first is the (count - 1) % 5-th day.
    for (int i = count > 0 ? (count - 1) % 5 : 0; i < count; i += 5) {
        const QDate day = days[static_cast<std::size_t>(i)].day;
        axis->append(i == count - 1 ? QStringLiteral("今天")
                                    : QStringLiteral("%1/%2").arg(day.month()).arg(day.day()),
                     i);
    }
    axis->setLabelsFont(controls::interfaceFont(10));
    axis->setLabelsColor(Qt::white);
    axis->setGridLineVisible(false);
    axis->setLinePenColor(kGridColor);
    return axis;
}

QBarSet* minutesSet(const QString& name, const QColor& color, Qt::BrushStyle style) {
    auto* set = new QBarSet(name);
    set->setBrush(QBrush(color, style));
    set->setPen(QPen(color, 1));
    return set;
}

} // namespace

QChart* makeDayChart(const std::vector<DayFigures>& days) {
    auto* chart = new QChart;
    chart->setBackgroundVisible(false);
    chart->setPlotAreaBackgroundVisible(false);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setAnimationOptions(QChart::NoAnimation);

    QBarSet* minutes = minutesSet(QStringLiteral("练习分钟"), kMinutesColor, Qt::SolidPattern);
    QBarSet* shadow = minutesSet(QStringLiteral("跟读分钟"), kShadowColor, Qt::BDiagPattern);
    auto* percent = new QLineSeries;
    percent->setName(QStringLiteral("写对率（%）"));
    percent->setPen(QPen(kPercentColor, 2));
    auto* points = new QScatterSeries; // the days practised, where the line has a value
    points->setMarkerSize(6);
    points->setColor(kPercentColor);
    points->setBorderColor(kPercentColor);
    for (std::size_t i = 0; i < days.size(); ++i) {
        minutes->append(days[i].minutes);
        shadow->append(days[i].shadowMinutes);
        const int value = percentRight(days[i].wordsRight, days[i].wordsTotal);
        if (value >= 0) {
            percent->append(static_cast<double>(i), value);
            points->append(static_cast<double>(i), value);
        }
    }
    auto* bars = new QStackedBarSeries;
    bars->setBarWidth(0.6);
    bars->append(minutes);
    bars->append(shadow);
    // A day's figures, the shadowing takes among them, on the pointer.
    // The chart's own tip, which the view shows as the pointer rests (a tip
    // shown at once would be hidden by the view finding no tip of its own).
    QObject::connect(
        bars, &QStackedBarSeries::hovered, chart, [chart, days](bool inside, int index, QBarSet*) {
            const bool day = inside && index >= 0 && std::size_t(index) < days.size();
            chart->setToolTip(day ? dayColumnToolTip(days[std::size_t(index)]) : QString());
        });
    chart->addSeries(bars);
    chart->addSeries(percent);
    chart->addSeries(points);

    QCategoryAxis* x = dayAxis(days);
    QValueAxis* left = valueAxis(QStringLiteral("写对 %"), 100, kPercentColor);
    QValueAxis* right = valueAxis(QStringLiteral("分钟"), minutesAxisTop(days), kMinutesColor);
    right->setGridLineVisible(false);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    chart->addAxis(right, Qt::AlignRight);
    for (QAbstractSeries* series : chart->series())
        series->attachAxis(x);
    bars->attachAxis(right);
    percent->attachAxis(left);
    points->attachAxis(left);

    QLegend* legend = chart->legend();
    legend->setAlignment(Qt::AlignTop);
    legend->setLabelColor(Qt::white);
    legend->setFont(controls::interfaceFont(11));
    legend->markers(points).first()->setVisible(false);
    return chart;
}

} // namespace hearvex::record
