// Whether the desktop's program for web pages is a graphical one: desktop
// entries of browsers, terminal editors and text browsers, found where the
// desktop looks for them.
#include "html_handler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using hearvex::isGraphicalProgram;

namespace {

QString entry(const char* keys) {
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=Some program\n") +
           QString::fromUtf8(keys);
}

void write(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

} // namespace

TEST(HtmlHandler, OnlyAProgramWithAWindowOfItsOwnCounts) {
    const struct {
        const char* what;
        QString text;
        bool graphical;
    } cases[] = {
        {"a browser", entry("Exec=/usr/lib/firefox-esr/firefox-esr %u\n"), true},
        {"a browser started through env", entry("Exec=env GDK_BACKEND=x11 chromium %U\n"), true},
        {"a quoted path", entry("Exec=\"/opt/My Browser/browser\" %u\n"), true},
        {"a terminal program", entry("Exec=vim %F\nTerminal=true\n"), false},
        {"Terminal in any case", entry("Exec=mybrowser %u\nTerminal=True\n"), false},
        {"an editor, whatever it says", entry("Exec=nano %F\n"), false},
        {"a text browser", entry("Exec=w3m %u\n"), false},
        {"a terminal running something", entry("Exec=x-terminal-emulator -e less %f\n"), false},
        {"a hidden (removed) entry", entry("Exec=firefox %u\nHidden=true\n"), false},
        {"no Exec", entry(""), false},
        {"Terminal in an action, not the program",
         entry("Exec=firefox %u\n[Desktop Action new]\nExec=vim\nTerminal=true\n"), true},
        {"not a desktop entry", QStringLiteral("<html>page</html>"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(isGraphicalProgram(c.text), c.graphical);
    }
}

TEST(HtmlHandler, EntriesAreFoundWhereTheDesktopLooksForThem) {
    EXPECT_EQ(hearvex::applicationFolders({}, {}, QStringLiteral("/home/lily")),
              (QStringList{"/home/lily/.local/share/applications", "/usr/local/share/applications",
                           "/usr/share/applications"}));
    EXPECT_EQ(hearvex::applicationFolders(QStringLiteral("/d"), QStringLiteral("/a::/b"),
                                          QStringLiteral("/home/lily")),
              (QStringList{"/d/applications", "/a/applications", "/b/applications"}));

    QTemporaryDir dir;
    const QString own = dir.filePath("own"), system = dir.filePath("system");
    write(system + "/firefox-esr.desktop", entry("Exec=firefox-esr %u\n"));
    write(own + "/firefox-esr.desktop", entry("Exec=vim %u\nTerminal=true\n"));
    write(system + "/kde/konqueror.desktop", entry("Exec=konqueror %u\n"));
    const QStringList folders{own, system};
    // The learner's own entry hides the system's of the same id.
    EXPECT_EQ(hearvex::desktopEntryFile("firefox-esr.desktop", folders),
              own + "/firefox-esr.desktop");
    EXPECT_EQ(hearvex::desktopEntryFile("kde-konqueror.desktop", folders),
              system + "/kde/konqueror.desktop");
    EXPECT_EQ(hearvex::desktopEntryFile("missing.desktop", folders), QString());
    EXPECT_EQ(hearvex::desktopEntryFile("../system/firefox-esr.desktop", folders), QString());

    const struct {
        const char* answer; // as xdg-mime prints it
        bool graphical;
    } answers[] = {{"kde-konqueror.desktop\n", true},
                   {"firefox-esr.desktop\n", false}, // the learner's is a terminal one
                   {"kde-konqueror.desktop;firefox-esr.desktop\n", true},
                   {"", false},
                   {"\n", false},
                   {"missing.desktop\n", false}};
    for (const auto& a : answers) {
        SCOPED_TRACE(a.answer);
        EXPECT_EQ(hearvex::isGraphicalHtmlHandler(QString::fromUtf8(a.answer), folders),
                  a.graphical);
    }
}
