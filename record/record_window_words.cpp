// The record window's way to its 生词本 page: a button beside the export and
// Alt+B; the page covers the figures until 返回 (Alt+R).
#include "record_window.h"

#include "fonts.h"
#include "guard.h"

namespace hearvex::record {

void RecordWindow::buildWordBookPage() {
    m_controls.cmdWordBook = new QPushButton(QStringLiteral("生词本(&B)"), this);
    m_controls.cmdWordBook->setObjectName(QStringLiteral("cmdWordBook"));
    // Left of the export button, on its line.
    const QRect exportPlace = m_controls.cmdExport->geometry();
    m_controls.cmdWordBook->setGeometry(exportPlace.translated(-exportPlace.width() - 6, 0));
    m_controls.cmdWordBook->setFont(controls::interfaceFont(13));
    m_controls.cmdWordBook->setToolTip(
        QStringLiteral("查词时记下的生词，和近30天各类错误的次数（Alt+B）"));
    m_controls.lbStatus->resize(exportPlace.left() - exportPlace.width() - 16,
                                m_controls.lbStatus->height());
    connect(m_controls.cmdWordBook, &QPushButton::clicked, this,
            [this] { base::runGuarded("cmdWordBook click", [this] { showWordBook(true); }); });
    m_controls.wordBookPage = new WordBookPage(this);
    m_controls.wordBookPage->setBackHandler([this] { showWordBook(false); });
    m_controls.wordBookPage->hide();
}

void RecordWindow::showWordBook(bool shown) {
    WordBookPage* page = m_controls.wordBookPage;
    if (shown && m_readWordBook)
        m_readWordBook(*page);
    page->setVisible(shown);
    if (shown) {
        page->raise();
        page->controls().treeWords->setFocus();
    } else {
        m_controls.cmdWordBook->setFocus();
    }
}

} // namespace hearvex::record
