// The main window and the lesson library in one top-level window, for a
// platform on which a program cannot place its own windows (Wayland): there
// the library would float wherever the compositor put it. Held side by side
// in one window, the library stays against the main window's right edge and
// moves with it. The main window sits at the pair's top left, its client area
// and controls unchanged; the library to its right, level with its top. The
// pair is as wide as what it shows: hiding the library (关闭) narrows it, the
// library shown again widens it.
#pragma once

#include <QWidget>

namespace hearvex {

class DockedPair : public QWidget {
    Q_OBJECT
public:
    // Takes main and library into the pair (library as it is: shown or hidden).
    DockedPair(QWidget& main, QWidget& library);
    // Gives both back as they were: main a window of its own, the library its tool window.
    ~DockedPair() override;

    // The pair's size for what it shows now.
    void fitToShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Children of the pair while it lives: they cannot go before it.
    QWidget* m_main;
    QWidget* m_library;
    Qt::WindowFlags m_mainFlags;
    Qt::WindowFlags m_libraryFlags;
};

} // namespace hearvex
