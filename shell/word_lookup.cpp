#include "word_lookup.h"

#include "panel_texts.h"
#include "word_form.h"

namespace hearvex {

namespace {

constexpr int kGapToWindow = 8;

} // namespace

WordLookup::WordLookup(QWidget& window, const words::Dictionary& dictionary)
    : m_window(window)
    , m_dictionary(dictionary) {}

words::LookupPanel& WordLookup::ensurePanel() {
    if (!m_panel) {
        m_panel = new words::LookupPanel(&m_window);
        m_panel->setPlayHandler([this](const words::WordEntry& entry) {
            if (m_play)
                m_play(entry);
        });
        if (m_keep)
            m_panel->setKeepHandler(m_keep);
        if (m_prepare)
            m_prepare(m_panel);
        // Below the window's top right corner, clear of the typing box.
        const QRect frame = m_window.frameGeometry();
        m_panel->move(frame.right() - m_panel->width() - kGapToWindow, frame.top() + 60);
    }
    return *m_panel;
}

void WordLookup::lookUpAt(const QString& text, int caret) {
    const words::TextWord word = words::wordAt(text, caret);
    if (word.text.isEmpty()) {
        ensurePanel().showNote(words::noWordNote());
        return;
    }
    lookUp(word.text);
}

void WordLookup::lookUpClicked(const QString& text, int offset) {
    const words::TextWord word = words::wordAt(text, offset);
    if (!word.text.isEmpty())
        lookUp(word.text);
}

void WordLookup::lookUp(const QString& word) {
    if (!m_dictionary.isOpen()) {
        ensurePanel().showNote(
            QStringLiteral("找不到程序的词典（dictionary/words.dict），无法查词。"));
        return;
    }
    ensurePanel().showEntry(m_dictionary.lookup(word));
}

} // namespace hearvex
