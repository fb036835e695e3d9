// The model's sentence and the learner's take (take_lanes.h), one above the
// other: each its waveform, its pitch curve and its words at their times.
// Words missed or unclear are marked by shape as well as colour: a missed
// word is struck through and bracketed, an unclear one underlined with dots
// and followed by "?". Under the take's words, a word said much slower or
// faster than the model is tagged 慢 or 快, and a pause put inside a phrase
// is hatched where it lies and tagged "‖停顿"; the same marks are the view's
// accessible description, for screen readers.
#pragma once

#include "take_lanes.h"

#include <QWidget>

namespace hearvex::shadow {

class TakeView : public QWidget {
    Q_OBJECT
public:
    explicit TakeView(QWidget* parent = nullptr);

    void setLanes(Lane model, Lane take);
    const Lane& modelLane() const { return m_model; }
    const Lane& takeLane() const { return m_take; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintLane(class QPainter& p, const Lane& lane, QRect area) const;

    Lane m_model;
    Lane m_take;
};

} // namespace hearvex::shadow
