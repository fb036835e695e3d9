// The toolbar of the main window: the picture buttons Image2 (items 0 to 4
// and 6 to 9). A press moves the picture one pixel down and right; the
// release, of any mouse button and wherever the pointer is, moves it back and
// runs the button's command. Items 3 (keyword hint) and 4 (full-text hint)
// are switches whose state is their border style.
#pragma once

#include "form2.h"

#include <QPointer>
#include <functional>

namespace hearvex {

class Form1;

class Toolbar {
public:
    // Wires the buttons of form to their commands.
    explicit Toolbar(Form1& form);

    void Image2_MouseDown(int index, int button, int shift, int x, int y);
    void Image2_MouseUp(int index, int button, int shift, int x, int y);

    // The command of button index; indexes without a command do nothing.
    void runCommand(int index);

    // The word-list window while it is open, else null.
    library::Form2* form2() const { return m_form2; }

    // The last step of quitting, after the engine is released: ends the
    // process at once. Tests put a recording step in its place.
    void setEndProcess(std::function<void()> endProcess) { m_endProcess = std::move(endProcess); }

    // How an open word-list window is made draggable (set by the main window).
    void setWindowPreparer(std::function<void(QWidget*)> prepare) {
        m_prepare = std::move(prepare);
    }

private:
    void showWordLists();
    void openHelp();
    void quit();
    void toggleFullText();
    void stepLesson(int step);

    Form1& m_form;
    QPointer<library::Form2> m_form2;
    std::function<void()> m_endProcess;
    std::function<void(QWidget*)> m_prepare;
};

} // namespace hearvex
