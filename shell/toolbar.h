// The toolbar of the main window: the picture buttons Image2 items 0 to 2 and
// 6 to 9 (items 3 and 4, the hint switches, are the exercise's). A press
// moves the picture one pixel down and right; the release, of any mouse button
// and wherever the pointer is, moves it back and runs the button's operation.
#pragma once

#include "engine_api.h"
#include "exercise.h"
#include "form2.h"
#include "form3.h"
#include "help_window.h"
#include "picture_button.h"

#include <QPointer>
#include <QUrl>
#include <array>
#include <functional>

namespace hearvex {

struct ToolbarControls {
    // By item number; items 3, 4 (the exercise's switches) and 5 are null.
    std::array<controls::PictureButton*, 10> Image2{};
};

class Toolbar {
public:
    // Wires the buttons to their commands. window is the main window (the
    // word lists open over it); library gives the lesson library, loading it
    // on first use; programDir is read when a command needs it.
    Toolbar(const ToolbarControls& controls, QWidget& window, EngineApi& engine,
            exercise::Exercise& exercise, std::function<lessons::Form3&()> library,
            const QString& programDir);

    // 错误记录: the check, which also releases the full-text switch.
    void check();
    // The lesson below / above the selected one in the library, started as a
    // double-click starts it; nothing at either end of the list.
    void nextLesson();
    void previousLesson();
    // Ctrl+PageDown / Ctrl+PageUp: as the buttons, except that before any
    // lesson has been started the selected one starts (the first, at start).
    void stepLessonByKey(int direction);
    // Ctrl+L: the library shown, its list taking the keyboard focus.
    void focusLibrary();
    // 帮助 and F1: the help page, by the desktop's program for web pages where
    // it has a graphical one, else in the program's own window.
    void openHelp();
    // 课文库: the lesson library shown and brought forward, its list and
    // selection as they were.
    void showLibrary();

    // The word-list window while it is open, else null.
    wordlists::Form2* form2() const { return m_form2; }

    // The last step of quitting, after the engine is released: ends the
    // process at once. Tests put a recording step in its place.
    void setEndProcess(std::function<void()> endProcess) { m_endProcess = std::move(endProcess); }
    // The first step of quitting, while every window still stands: what must
    // not be lost is put away (a 跟读 take being recorded).
    void setQuitPreparer(std::function<void()> prepare);

    // How an open word-list window is made draggable (set by the main window).
    void setWindowPreparer(std::function<void(QWidget*)> prepare) {
        m_prepare = std::move(prepare);
    }

    // How the help page is handed to the desktop; the opener calls cannotOpen
    // when no program of the desktop took it. Tests put their own in its place.
    using PageOpener = std::function<void(const QUrl& page, std::function<void()> cannotOpen)>;
    void setPageOpener(PageOpener open) { m_openPage = std::move(open); }
    // The program's own help window while it is open, else null.
    HelpWindow* helpWindow() const { return m_help; }

private:
    // Each button runs its operation when the mouse button is released on it.
    void wireButton(int index, void (Toolbar::*operation)());
    void showWordLists();
    void showHelpWindow(const QString& page);
    void quit();

    ToolbarControls m_controls;
    QWidget& m_window;
    EngineApi& m_engine;
    exercise::Exercise& m_exercise;
    std::function<lessons::Form3&()> m_library;
    const QString& m_programDir;
    QPointer<wordlists::Form2> m_form2;
    std::function<void()> m_endProcess;
    std::function<void()> m_prepareQuit;
    std::function<void(QWidget*)> m_prepare;
    PageOpener m_openPage;
    QObject m_pageOpeners; // owns the desktop openers still running
    QPointer<HelpWindow> m_help;
};

} // namespace hearvex
