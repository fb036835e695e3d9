#include "help_window.h"

#include <QFileInfo>
#include <QUrl>
#include <QVBoxLayout>

namespace hearvex {

HelpWindow::HelpWindow(const QString& pagePath, QWidget* owner)
    : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(title());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 620); // the page is laid out for about 860 pixels

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpPage"));
    m_browser->setAccessibleName(title());
    // Links leave the page only through the desktop, which is what is missing here.
    m_browser->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);

    const QFileInfo page(pagePath);
    if (page.isFile() && page.isReadable()) {
        // Relative to the page's own URL: its pictures lie beside it.
        m_browser->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
    } else {
        m_browser->setPlainText(QStringLiteral("找不到帮助文件：%1").arg(pagePath));
    }
}

} // namespace hearvex
