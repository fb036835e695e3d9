// The look-up panel: a small tool window of the main window showing one
// word (its pronunciation, lemma and forms, how common it is, its glosses)
// with a button to hear it. Esc closes it; Space or Enter on the button plays.
#pragma once

#include "dictionary.h"

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>
#include <functional>

namespace hearvex::controls {
class PictureButton;
}

namespace hearvex::words {

struct LookupPanelControls {
    controls::PictureButton* cmdClose = nullptr;
    QLabel* lbWord = nullptr;
    QLabel* lbIpa = nullptr;
    QPushButton* cmdPlay = nullptr;
    QLabel* lbLemma = nullptr;
    QLabel* lbForms = nullptr;
    QLabel* lbBand = nullptr;
    QTextEdit* txtGlosses = nullptr;
    QPushButton* cmdKeep = nullptr; // into the word book (生词本)
};

class LookupPanel : public QWidget {
    Q_OBJECT
public:
    explicit LookupPanel(QWidget* owner);

    // Shows the word and raises the panel, the play button focused.
    void showEntry(const WordEntry& entry);
    // Shows a note instead of a word (no word at the caret).
    void showNote(const QString& note);
    // What the play button does: hears the word shown.
    void setPlayHandler(std::function<void(const WordEntry&)> play) { m_play = std::move(play); }
    // What the keep button (and the K key) does: keeps the word shown in the
    // word book; returns an error to show, empty when it was kept.
    void setKeepHandler(std::function<QString(const WordEntry&)> keep) { m_keep = std::move(keep); }
    const WordEntry& entry() const { return m_entry; }
    const LookupPanelControls& controls() const { return m_controls; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    void present();
    void play();
    void buildKeepButton();
    void resetKeepButton();
    void keep();

    LookupPanelControls m_controls;
    WordEntry m_entry;
    std::function<void(const WordEntry&)> m_play;
    std::function<QString(const WordEntry&)> m_keep;
    QPixmap m_title;
};

} // namespace hearvex::words
