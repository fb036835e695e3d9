#include "window_drag.h"

#include "guard.h"
#include "picture_button.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

namespace hearvex {

WindowDrag::WindowDrag(QWidget* window, std::function<void()> afterDrag)
    : QObject(window)
    , m_window(window)
    , m_afterDrag(std::move(afterDrag))
    , m_systemMove([](QWindow* w) { return w && w->startSystemMove(); }) {
    window->installEventFilter(this);
}

void WindowDrag::Form_MouseDown(int button, QPoint local, QPoint global) {
    if (button != controls::kLeftButton || !m_window)
        return;
    // Only the window's own surface: a press a child control let through is not a drag.
    if (m_window->childAt(local))
        return;
    endSystemMove();
    // The top-level window is moved: the window itself, or the one holding it
    // (the main window and the library held in one, docked_pair.h).
    QWidget* topLevel = m_window->window();
    topLevel->winId(); // the native window the system moves
    if (m_systemMove(topLevel->windowHandle())) {
        // The system moves the window from here and does not say when it is
        // done; the window's moves reach the program late, after pointer
        // events that follow the release. So every move of the window counts
        // as part of this drag until the next press anywhere in the program.
        m_systemMoving = true;
        QCoreApplication::instance()->installEventFilter(this);
        if (m_afterDrag)
            m_afterDrag();
        return;
    }
    m_following = true;
    m_grabOffset = global - topLevel->pos();
}

void WindowDrag::follow(QPoint global) {
    if (m_window)
        m_window->window()->move(global - m_grabOffset);
}

void WindowDrag::endDrag() {
    m_following = false;
    if (m_afterDrag)
        base::runGuarded("after window drag", m_afterDrag);
}

void WindowDrag::endSystemMove() {
    if (!m_systemMoving)
        return;
    m_systemMoving = false;
    QCoreApplication::instance()->removeEventFilter(this);
    if (m_afterDrag)
        base::runGuarded("after window drag", m_afterDrag);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (m_systemMoving) {
        if (m_window && watched == m_window->window() && type == QEvent::Move && m_afterDrag)
            base::runGuarded("window drag step", m_afterDrag);
        else if (type == QEvent::MouseButtonPress)
            endSystemMove();
    }
    if (watched != m_window)
        return false;
    switch (type) {
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        const QPoint local = press->position().toPoint();
        if (press->button() != Qt::LeftButton || m_window->childAt(local))
            return false;
        base::runGuarded("window mouse down", [&] {
            Form_MouseDown(controls::mouseButtonCode(press->button()), local,
                           press->globalPosition().toPoint());
        });
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_following)
            return false;
        const auto* move = static_cast<QMouseEvent*>(event);
        follow(move->globalPosition().toPoint());
        if (!(move->buttons() & Qt::LeftButton))
            endDrag(); // the release went elsewhere: stop following here
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!m_following || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        follow(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        endDrag();
        return true;
    default:
        return false;
    }
}

} // namespace hearvex
