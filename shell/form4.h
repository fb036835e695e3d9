// The splash window: the program's icon and name on black, shown for about a
// second while the main window and the lesson library come up.
#pragma once

#include "label.h"
#include "picture_button.h"
#include "timer.h"

#include <QFrame>
#include <QWidget>
#include <functional>

namespace hearvex {

// The window's controls, written by Form4 alone.
struct Form4Controls {
    QFrame* Frame1 = nullptr;
    controls::PictureButton* Image1 = nullptr; // the program's 32 x 32 icon
    controls::Label* Label1 = nullptr;         // the product-family title
    controls::Label* Label2 = nullptr;         // "——Hearvex"
    controls::Label* Label3 = nullptr;         // the makers' credit line
    controls::Timer* Timer1 = nullptr;         // 1000 ms, enabled on activation
};

class Form4 : public QWidget {
    Q_OBJECT
public:
    explicit Form4(QWidget* parent = nullptr);

    // What Timer1's tick does, a second after the window is up; the timer is
    // off again before it runs, so it runs once.
    void setTimeUpHandler(std::function<void()> timeUp) { m_timeUp = std::move(timeUp); }

    // The controls, for tests that look at them.
    const Form4Controls& controls() const { return m_controls; }

    static QString familyTitle() { return QStringLiteral("英语听写训练"); }
    static QString creditLine() { return QStringLiteral("Hearvex 出品"); }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Activate();
    void Timer1_Timer();

    Form4Controls m_controls;
    std::function<void()> m_timeUp;
};

} // namespace hearvex
