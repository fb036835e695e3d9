// A recording dropped anywhere on a window: on its own surface and on every
// control of it, the text boxes included, which would otherwise take the
// dropped file's address as typed text. The first local file dropped is
// handed on; drops that hold no file (text dragged between the boxes) go
// to the controls as before.
#pragma once

#include <QObject>
#include <QWidget>
#include <functional>

class QMimeData;

namespace hearvex {

class WindowDrop : public QObject {
    Q_OBJECT
public:
    // Watches window and its controls as they are now (build them first).
    WindowDrop(QWidget* window, std::function<void(const QString& path)> dropped);

    // The first local regular file among the dropped items, or "".
    static QString droppedFile(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> m_dropped;
};

} // namespace hearvex
