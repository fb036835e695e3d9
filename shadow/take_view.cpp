#include "take_view.h"

#include "fonts.h"
#include "take_store.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace hearvex::shadow {

namespace {

const QColor kLaneBack(24, 36, 60);
const QColor kWave(150, 190, 235);
const QColor kPitch(255, 214, 64);
const QColor kWordText(235, 240, 250);
const QColor kMissed(255, 150, 130);
const QColor kUnclear(255, 220, 120);
const QColor kSlow(150, 200, 255);
const QColor kFast(255, 170, 90);
const QColor kPause(235, 150, 235);
constexpr int kCaptionRow = 18;
constexpr int kWordRow = 20;
constexpr int kTagRow = 22;           // 慢, 快 and 停顿, under the words
constexpr double kSemitoneRange = 12; // the pitch curve spans an octave either way

double laneSeconds(const Lane& lane) {
    return std::max(0.5, double(lane.samples.size()) / kTakeRate);
}

void paintWave(QPainter& p, const std::vector<float>& samples, QRect area) {
    if (samples.empty())
        return;
    p.setPen(kWave);
    const double perColumn = double(samples.size()) / area.width();
    const int middle = area.center().y();
    for (int x = 0; x < area.width(); ++x) {
        const auto first = size_t(x * perColumn);
        const auto end = std::min(samples.size(), size_t((x + 1) * perColumn) + 1);
        if (first >= end)
            continue;
        const auto [low, high] = std::minmax_element(samples.begin() + ptrdiff_t(first),
                                                     samples.begin() + ptrdiff_t(end));
        const int half = area.height() / 2;
        p.drawLine(area.left() + x, middle - int(*high * half), area.left() + x,
                   middle - int(*low * half));
    }
}

void paintPitch(QPainter& p, const PitchCurve& pitch, QRect area, double seconds) {
    p.setPen(QPen(kPitch, 2));
    QPainterPath path;
    bool drawing = false;
    for (size_t i = 0; i < pitch.semitones.size(); ++i) {
        const float s = pitch.semitones[i];
        if (std::isnan(s)) {
            drawing = false;
            continue;
        }
        const double x = area.left() + (double(i) * kPitchHopMs / 1000.0) / seconds * area.width();
        const double clamped = std::clamp(double(s), -kSemitoneRange, kSemitoneRange);
        const double y = area.center().y() - clamped / kSemitoneRange * (area.height() / 2.0 - 2);
        drawing ? path.lineTo(x, y) : path.moveTo(x, y);
        drawing = true;
    }
    p.drawPath(path);
}

// The word's text as it is shown: missed in brackets, unclear with "?".
QString shownWord(const LaneWord& word) {
    switch (word.mark) {
    case WordMark::Missed:
        return QStringLiteral("[%1]").arg(word.text);
    case WordMark::Unclear:
        return word.text + QLatin1Char('?');
    default:
        return word.text;
    }
}

void paintWord(QPainter& p, const LaneWord& word, QRect box) {
    QFont font = p.font();
    font.setStrikeOut(word.mark == WordMark::Missed);
    p.setFont(font);
    p.setPen(word.mark == WordMark::Missed    ? kMissed
             : word.mark == WordMark::Unclear ? kUnclear
                                              : kWordText);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, shownWord(word));
    if (word.mark == WordMark::Unclear) {
        p.setPen(QPen(kUnclear, 1, Qt::DotLine));
        p.drawLine(box.left(), box.bottom(),
                   box.left() + p.fontMetrics().horizontalAdvance(shownWord(word)), box.bottom());
    }
}

constexpr int kBarsWidth = 6; // the "‖" drawn before 停顿: the fonts' own is a blot

int tagWidth(const QPainter& p, const QString& text, bool bars) {
    return p.fontMetrics().horizontalAdvance(text) + 10 + (bars ? kBarsWidth + 3 : 0);
}

// A tag in the row under the words, framed, starting at x but never over the
// tag before it (short words stand close); returns where the next may start.
int paintTag(QPainter& p, const QString& text, bool bars, const QColor& colour, int x, int freeX,
             QRect row) {
    const int width = tagWidth(p, text, bars);
    const int left = std::max(row.left(), std::min(std::max(x, freeX), row.right() - width));
    const QRect frame(left, row.top() + 1, width, row.height() - 2);
    p.setPen(colour);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    QRect inside = frame.adjusted(5, 0, -5, 0);
    if (bars) {
        p.setPen(QPen(colour, 1.5));
        for (const int at : {inside.left() + 1, inside.left() + kBarsWidth - 1})
            p.drawLine(QPointF(at, frame.top() + 4), QPointF(at, frame.bottom() - 3));
        inside.setLeft(inside.left() + kBarsWidth + 3);
    }
    p.drawText(inside, Qt::AlignCenter, text);
    return frame.right() + 4;
}

// Where in the wave a time of the lane falls.
int xAt(qint64 ms, QRect wave, double seconds) {
    return wave.left() + int(double(ms) / 1000.0 / seconds * wave.width());
}

// The timing marks, by shape and word as well as colour: a pause put inside a
// phrase hatched where it lies and tagged "‖停顿", a word said much slower or
// faster tagged 慢 or 快 under it.
void paintTiming(QPainter& p, const Lane& lane, QRect wave, QRect row) {
    const double seconds = laneSeconds(lane);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setFont(controls::interfaceFont(13));
    int freeX = row.left();
    qint64 lastEndMs = 0;
    for (const LaneWord& word : lane.words) {
        const int x = xAt(word.startMs, wave, seconds);
        if (word.pauseBefore) {
            const int gapStart = xAt(lastEndMs, wave, seconds);
            const QRect gap(gapStart, wave.bottom() - 9, std::max(4, x - gapStart), 10);
            p.fillRect(gap, QBrush(kPause, Qt::BDiagPattern));
            p.fillRect(gap.left(), gap.bottom() - 1, gap.width(), 2, kPause);
            const QString tag = QStringLiteral("停顿");
            freeX = paintTag(p, tag, true, kPause, gap.center().x() - tagWidth(p, tag, true) / 2,
                             freeX, row);
        }
        if (const QString tag = paceTag(word.pace); !tag.isEmpty())
            freeX =
                paintTag(p, tag, false, word.pace == Pace::Slow ? kSlow : kFast, x + 2, freeX, row);
        lastEndMs = word.endMs;
    }
    p.restore();
}

} // namespace

TakeView::TakeView(QWidget* parent)
    : QWidget(parent) {
    setFont(controls::timesNewRoman(13));
}

void TakeView::setLanes(Lane model, Lane take) {
    m_model = std::move(model);
    m_take = std::move(take);
    // What the marks show, for those who cannot see them.
    QStringList marks;
    if (!m_take.unplaced.isEmpty())
        marks << QStringLiteral("漏读：") + m_take.unplaced.join(QLatin1Char(' '));
    QStringList unclear;
    for (const LaneWord& word : m_take.words)
        if (word.mark == WordMark::Unclear)
            unclear << word.text;
    if (!unclear.isEmpty())
        marks << QStringLiteral("不清楚：") + unclear.join(QLatin1Char(' '));
    if (const QString timing = timingSummary(m_take); !timing.isEmpty())
        marks << timing;
    setAccessibleDescription(marks.join(QStringLiteral("　")));
    update();
}

void TakeView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int laneHeight = height() / 2;
    paintLane(p, m_model, QRect(0, 0, width(), laneHeight - 2));
    paintLane(p, m_take, QRect(0, laneHeight + 2, width(), height() - laneHeight - 2));
}

void TakeView::paintLane(QPainter& p, const Lane& lane, QRect area) const {
    p.fillRect(area, kLaneBack);
    const QRect wave(area.left() + 4, area.top() + kCaptionRow, area.width() - 8,
                     area.height() - kCaptionRow - 4 - kWordRow - kTagRow);
    p.setPen(QColor(70, 90, 125));
    p.drawLine(wave.left(), wave.center().y(), wave.right(), wave.center().y());
    paintWave(p, lane.samples, wave);
    paintPitch(p, lane.pitch, wave, laneSeconds(lane));
    p.setFont(controls::interfaceFont(12));
    p.setPen(kWordText);
    QString caption = lane.caption;
    if (!lane.unplaced.isEmpty())
        caption += QStringLiteral("    漏读：%1").arg(lane.unplaced.join(QStringLiteral("  ")));
    p.drawText(QRect(area.left() + 6, area.top() + 2, area.width() - 12, 16),
               Qt::AlignLeft | Qt::AlignVCenter, caption);
    p.setFont(font());
    const double seconds = laneSeconds(lane);
    for (const LaneWord& word : lane.words) {
        const int x = xAt(word.startMs, wave, seconds);
        const int end = xAt(word.endMs, wave, seconds);
        p.setPen(QColor(110, 130, 170));
        p.drawLine(x, wave.top(), x, wave.bottom() + 4);
        if (word.mark == WordMark::Missed || word.mark == WordMark::Unclear)
            p.fillRect(QRect(x, wave.bottom() - 3, std::max(2, end - x), 4),
                       word.mark == WordMark::Missed ? kMissed : kUnclear);
        paintWord(p, word, QRect(x + 2, wave.bottom() + 4, std::max(20, end - x), kWordRow - 2));
    }
    paintTiming(p, lane, wave,
                QRect(wave.left(), wave.bottom() + 4 + kWordRow, wave.width(), kTagRow));
}

} // namespace hearvex::shadow
