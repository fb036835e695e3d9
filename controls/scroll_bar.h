// A horizontal scroll bar with the semantics the player relies on:
// - its change handler runs whenever the value changes, also when code assigns
//   it, synchronously, before the assigning code goes on;
// - assigning a value outside Min..Max fails (ControlError) instead of clamping;
// - dragging the thumb reports one change when it is released.
#pragma once

#include <QScrollBar>
#include <functional>

namespace hearvex::controls {

class ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ScrollBar(QWidget* parent = nullptr);

    int min() const { return minimum(); }
    int max() const { return maximum(); }
    void setMin(int value);
    void setMax(int value);

    // Throws ControlError outside min()..max(); runs the change handler when the value changes.
    void setValue(int value);

    int largeChange() const { return pageStep(); }
    void setLargeChange(int value); // 1..32767, else ControlError
    int smallChange() const { return singleStep(); }
    void setSmallChange(int value); // 1..32767, else ControlError

    // The change handler (e.g. scSeek_Change); failures inside it are contained.
    void setChangeHandler(std::function<void()> handler) { m_changeHandler = std::move(handler); }

    // True while the change handler reports the value the learner let go of
    // the thumb at (so a handler can tell it from an assignment by code).
    bool thumbReleased() const { return m_thumbReleased; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<void()> m_changeHandler;
    bool m_thumbReleased = false;
};

} // namespace hearvex::controls
