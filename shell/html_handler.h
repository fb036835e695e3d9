// Whether the desktop has a graphical program for web pages. The desktop's
// default for text/html (as `xdg-mime query default text/html` names it) may
// be a terminal program: a text editor or a text browser, which would take
// the page's source into a terminal, or nowhere when none is open. Such a
// default counts as none, and so does an entry that cannot be found.
#pragma once

#include <QString>
#include <QStringList>

namespace hearvex {

// The folders desktop entries are looked for in, most important first:
// $XDG_DATA_HOME/applications, then each of $XDG_DATA_DIRS/applications
// (the XDG defaults where they are unset or empty).
QStringList applicationFolders(const QString& dataHome, const QString& dataDirs,
                               const QString& home);

// The file of a desktop entry id ("firefox-esr.desktop"; "kde-kate.desktop"
// may also lie as kde/kate.desktop) in the first folder holding it, or "".
QString desktopEntryFile(const QString& desktopId, const QStringList& folders);

// Whether a desktop entry's text names a program with a window of its own:
// not one with Terminal=true, not hidden, not a known terminal emulator,
// editor, pager or text browser (looked for past `env` and its settings).
bool isGraphicalProgram(const QString& desktopEntryText);

// The whole decision for the id xdg-mime answered (its output, spaces and
// line breaks around it allowed; empty when the desktop has no default).
bool isGraphicalHtmlHandler(const QString& desktopId, const QStringList& folders);

} // namespace hearvex
