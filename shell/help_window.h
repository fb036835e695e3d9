// The help page in a window of the program's own, for a desktop that has no
// program to open web pages: the page beside the program, read-only, with its
// pictures and its links inside the page, each figure a block of its own.
// Esc or Ctrl+W closes it (there may be no window manager to close it), and
// closing it deletes it.
#pragma once

#include <QTextBrowser>
#include <QWidget>

namespace hearvex {

// The viewer: pages it loads are laid out for it (helpPageForViewer).
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // A top-level window owned by owner, showing the page at pagePath (a note
    // saying so when the page cannot be read).
    HelpWindow(const QString& pagePath, QWidget* owner);

    QTextBrowser* browser() const { return m_browser; }

    static QString title() { return QStringLiteral("Hearvex 使用说明"); }

private:
    HelpBrowser* m_browser = nullptr;
};

} // namespace hearvex
