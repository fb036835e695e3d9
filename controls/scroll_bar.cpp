#include "scroll_bar.h"

#include "control_error.h"
#include "guard.h"

#include <string>

namespace hearvex::controls {

using base::runGuarded;

namespace {
void requireControlRange(int value, const char* property) {
    // Control values are 16-bit.
    if (value < -32768 || value > 32767)
        throw ControlError(std::string("overflow: ") + property + " " + std::to_string(value));
}
} // namespace

ScrollBar::ScrollBar(QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent) {
    setTracking(false);
    setRange(0, 32767);
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QAbstractSlider::valueChanged, this, [this] {
        if (m_changeHandler)
            runGuarded("scroll bar change", m_changeHandler);
    });
}

void ScrollBar::setMin(int value) {
    requireControlRange(value, "Min");
    setMinimum(value);
}

void ScrollBar::setMax(int value) {
    requireControlRange(value, "Max");
    setMaximum(value);
}

void ScrollBar::setValue(int value) {
    if (value < min() || value > max())
        throw ControlError("invalid property value: Value " + std::to_string(value) + " outside " +
                           std::to_string(min()) + ".." + std::to_string(max()));
    QScrollBar::setValue(value);
}

void ScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    // Letting go of the thumb reports its new value from inside this call.
    m_thumbReleased = isSliderDown();
    QScrollBar::mouseReleaseEvent(event);
    m_thumbReleased = false;
}

void ScrollBar::setLargeChange(int value) {
    if (value < 1 || value > 32767)
        throw ControlError("invalid property value: LargeChange " + std::to_string(value));
    setPageStep(value);
}

void ScrollBar::setSmallChange(int value) {
    if (value < 1 || value > 32767)
        throw ControlError("invalid property value: SmallChange " + std::to_string(value));
    setSingleStep(value);
}

} // namespace hearvex::controls
