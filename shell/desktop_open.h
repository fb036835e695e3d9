// Handing a local page to the desktop, and hearing when it could not open it.
#pragma once

#include <QObject>
#include <QUrl>
#include <functional>

namespace hearvex {

// Asks the desktop to open page (a local web page); calls cannotOpen, later and
// on the window thread, when no program of the desktop took it, or at once
// when the desktop's program for web pages, as xdg-mime names it, is none or
// a terminal one (html_handler.h). Qt's QDesktopServices starts xdg-open and
// counts that as success even when xdg-open then finds no program for the
// page; so xdg-open is started here (the program with the page as its one
// argument, never a command line) and its exit status is heard. Without
// xdg-open, QDesktopServices decides.
// The watch ends with owner, a plain QObject that lives as long as what
// cannotOpen touches: its connections go before a running xdg-open is ended.
void openWithDesktop(const QUrl& page, QObject* owner, std::function<void()> cannotOpen);

} // namespace hearvex
