#include "docked_pair.h"

#include "placement.h"

#include <QEvent>

namespace hearvex {

DockedPair::DockedPair(QWidget& main, QWidget& library)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_main(&main)
    , m_library(&library)
    , m_mainFlags(main.windowFlags())
    , m_libraryFlags(library.windowFlags()) {
    setObjectName(QStringLiteral("DockedPair"));
    // The desktop shows the main window's name and icon for the pair.
    setWindowTitle(main.windowTitle());
    setWindowIcon(main.windowIcon());
    setAccessibleName(main.windowTitle());
    const bool libraryShown = !library.isHidden();
    main.setParent(this, Qt::Widget);
    main.move(0, 0);
    main.show();
    library.setParent(this, Qt::Widget);
    library.move(dockedTopLeft(main.frameGeometry()));
    library.setVisible(libraryShown);
    library.installEventFilter(this);
    fitToShown();
}

DockedPair::~DockedPair() {
    m_library->removeEventFilter(this);
    m_library->setParent(m_main, m_libraryFlags);
    m_main->setParent(nullptr, m_mainFlags);
}

void DockedPair::fitToShown() {
    QSize size = m_main->size();
    if (!m_library->isHidden())
        size.setWidth(dockedTopLeft(m_main->frameGeometry()).x() + m_library->width());
    setFixedSize(size);
}

bool DockedPair::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_library &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        fitToShown();
    return QWidget::eventFilter(watched, event);
}

} // namespace hearvex
