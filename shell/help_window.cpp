#include "help_window.h"

#include "help_page.h"

#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QStringDecoder>
#include <QUrl>
#include <QVBoxLayout>

namespace hearvex {

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    const QVariant resource = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::HtmlResource || resource.typeId() != QMetaType::QByteArray)
        return resource;
    // The page is UTF-8, as its own meta tag says.
    QStringDecoder utf8(QStringDecoder::Utf8);
    return helpPageForViewer(utf8(resource.toByteArray()));
}

HelpWindow::HelpWindow(const QString& pagePath, QWidget* owner)
    : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(title());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 620); // the page is laid out for about 860 pixels

    m_browser = new HelpBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpPage"));
    m_browser->setAccessibleName(title());
    // Links leave the page only through the desktop, which is what is missing here.
    m_browser->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);

    // Without a window manager there is no title bar to close it by.
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);

    const QFileInfo page(pagePath);
    if (page.isFile() && page.isReadable()) {
        // Relative to the page's own URL: its pictures lie beside it.
        m_browser->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
    } else {
        m_browser->setPlainText(QStringLiteral("找不到帮助文件：%1").arg(pagePath));
    }
}

} // namespace hearvex
