// The word-list window: a small frameless reference window, always on top,
// owned by the main window. Its drop-down picks one of four lists; the box
// shows that list's file (RTF with its formatting, or plain text). Closing it
// deletes it, so every opening starts again at the first list.
#pragma once

#include "picture_button.h"
#include "rich_text_box.h"

#include <QComboBox>
#include <QWidget>

namespace hearvex::wordlists {

// The window's controls, written by Form2 alone.
struct Form2Controls {
    controls::PictureButton* Image1 = nullptr;     // close
    QComboBox* Combo1 = nullptr;                   // the choice of list
    controls::RichTextBox* RichTextBox1 = nullptr; // the chosen list
};

class Form2 : public QWidget {
    Q_OBJECT
public:
    // A tool window of owner, deleted when closed; not yet loaded.
    Form2(const QString& programDir, QWidget* owner);

    // The load handler: on top of the other windows, showing the first list.
    void Form_Load();
    // A list was picked: show its file.
    void Combo1_Click();
    // The close picture: unload the window.
    void Image1_Click();

    // The controls, for tests that look at them or act on them as the learner does.
    const Form2Controls& controls() const { return m_controls; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showList(int position);

    Form2Controls m_controls;
    QString m_programDir;
    QPixmap m_title;
};

} // namespace hearvex::wordlists
