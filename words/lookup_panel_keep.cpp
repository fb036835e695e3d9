// The look-up panel's keep button: the word shown goes into the word book
// (生词本) with the sentence it was met in, as the owner of the panel decides.
#include "lookup_panel.h"

#include "fonts.h"
#include "guard.h"

namespace hearvex::words {

namespace {
const QString kKeepCaption = QStringLiteral("加入生词本 (K)");
}

void LookupPanel::buildKeepButton() {
    auto* button = m_controls.cmdKeep = new QPushButton(kKeepCaption, this);
    button->setObjectName(QStringLiteral("cmdKeep"));
    button->setFont(controls::interfaceFont(12));
    // Beside the band, at the right edge, where its caption ends short of it.
    button->setGeometry(width() - 10 - 110, 26 + 104, 110, 24);
    button->setToolTip(QStringLiteral("把这个词和它所在的句子记进生词本（K）"));
    connect(button, &QPushButton::clicked, this, [this] { keep(); });
}

void LookupPanel::resetKeepButton() {
    m_controls.cmdKeep->setText(kKeepCaption);
    m_controls.cmdKeep->setEnabled(m_keep && !m_entry.word.isEmpty());
}

void LookupPanel::keep() {
    if (!m_keep || m_entry.word.isEmpty() || !m_controls.cmdKeep->isEnabled())
        return;
    QString error;
    base::runGuarded("look-up keep", [&] { error = m_keep(m_entry); });
    m_controls.cmdKeep->setText(error.isEmpty() ? QStringLiteral("已加入生词本 ✓")
                                                : QStringLiteral("没能加入生词本"));
    m_controls.cmdKeep->setToolTip(error.isEmpty() ? QStringLiteral("这个词已在生词本里") : error);
    m_controls.cmdKeep->setEnabled(false);
    // The play button keeps the keys (Space, Enter, K) working.
    if (m_controls.cmdPlay->isEnabled())
        m_controls.cmdPlay->setFocus();
}

} // namespace hearvex::words
