// The help page in a window of the program's own, for a desktop that has no
// program to open web pages: the page beside the program, read-only, with its
// pictures and its links inside the page. Closing it deletes it.
#pragma once

#include <QTextBrowser>
#include <QWidget>

namespace hearvex {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // A top-level window owned by owner, showing the page at pagePath (a note
    // saying so when the page cannot be read).
    HelpWindow(const QString& pagePath, QWidget* owner);

    QTextBrowser* browser() const { return m_browser; }

    static QString title() { return QStringLiteral("Hearvex 使用说明"); }

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace hearvex
