// Moving a window by its body: a left press on the window's own surface (not
// on a child control) moves the window as a press on a title bar would. The
// system's move is used where the platform offers one; where it refuses (no
// window manager, for one), the window follows the pointer until the left
// button is released. Other buttons, and presses on child controls, do nothing.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>

class QWindow;

namespace hearvex {

class WindowDrag : public QObject {
    Q_OBJECT
public:
    // Takes the presses on window's surface. afterDrag runs when a drag has
    // ended, and while a system move is under way after every step of it.
    explicit WindowDrag(QWidget* window, std::function<void()> afterDrag = {});

    // The platform's move; true when the system took the drag over. Tests
    // put a refusing one in its place to take the pointer-following path.
    using SystemMove = std::function<bool(QWindow*)>;
    void setSystemMove(SystemMove move) { m_systemMove = std::move(move); }

    // Whether the window is following the pointer now.
    bool isFollowing() const { return m_following; }

    // The drag handler: the window's MouseDown, with the press point in the
    // window's and in screen coordinates.
    void Form_MouseDown(int button, QPoint local, QPoint global);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QPoint global);
    void endDrag();
    void endSystemMove();

    QPointer<QWidget> m_window;
    std::function<void()> m_afterDrag;
    SystemMove m_systemMove;
    bool m_following = false;
    bool m_systemMoving = false;
    QPoint m_grabOffset; // pointer minus window position at the press
};

} // namespace hearvex
