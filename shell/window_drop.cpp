#include "window_drop.h"

#include "guard.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace hearvex {

WindowDrop::WindowDrop(QWidget* window, std::function<void(const QString&)> dropped)
    : QObject(window)
    , m_dropped(std::move(dropped)) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    // A drop goes to the innermost widget that takes drops: the boxes' viewports.
    for (QWidget* child : window->findChildren<QWidget*>())
        if (child->acceptDrops())
            child->installEventFilter(this);
}

QString WindowDrop::droppedFile(const QMimeData* data) {
    if (!data)
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            return url.toLocalFile();
    return {};
}

bool WindowDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = droppedFile(drop->mimeData());
    if (path.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        base::runGuarded("window drop", [&] { m_dropped(path); });
    return true;
}

} // namespace hearvex
