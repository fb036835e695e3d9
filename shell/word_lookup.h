// Looking a word up from the main window: F2 opens the look-up panel on the
// word at the typing caret. The panel is a tool window of the main window,
// made on first use; its play button hears the word as the window decides.
#pragma once

#include "dictionary.h"
#include "lookup_panel.h"

#include <QString>
#include <QWidget>
#include <functional>

namespace hearvex {

class WordLookup {
public:
    WordLookup(QWidget& window, const words::Dictionary& dictionary);

    // Called with the panel once it is made (to let it be dragged).
    void setWindowPreparer(std::function<void(QWidget*)> prepare) {
        m_prepare = std::move(prepare);
    }
    // What the panel's play button does.
    void setPlayHandler(std::function<void(const words::WordEntry&)> play) {
        m_play = std::move(play);
    }

    // What the panel's keep button does (see LookupPanel::setKeepHandler).
    void setKeepHandler(std::function<QString(const words::WordEntry&)> keep) {
        m_keep = std::move(keep);
    }

    // The word that holds or ends at caret in text; a note when there is none.
    void lookUpAt(const QString& text, int caret);
    void lookUp(const QString& word);
    // A double-click: the word at offset in text, and nothing where there is none.
    void lookUpClicked(const QString& text, int offset);

    // The panel, or null before the first look-up.
    words::LookupPanel* panel() const { return m_panel; }

private:
    words::LookupPanel& ensurePanel();

    QWidget& m_window;
    const words::Dictionary& m_dictionary;
    std::function<void(QWidget*)> m_prepare;
    std::function<void(const words::WordEntry&)> m_play;
    std::function<QString(const words::WordEntry&)> m_keep;
    words::LookupPanel* m_panel = nullptr; // owned by the window
};

} // namespace hearvex
