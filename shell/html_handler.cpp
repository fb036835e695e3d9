#include "html_handler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace hearvex {

namespace {

// Programs that show a page's text in a terminal, and the terminals themselves.
const QSet<QString>& terminalPrograms() {
    static const QSet<QString> names = {
        // editors
        QStringLiteral("vi"), QStringLiteral("vim"), QStringLiteral("vim.basic"),
        QStringLiteral("vim.tiny"), QStringLiteral("nvim"), QStringLiteral("nano"),
        QStringLiteral("pico"), QStringLiteral("emacs-nox"), QStringLiteral("mcedit"),
        QStringLiteral("joe"), QStringLiteral("jed"), QStringLiteral("ne"), QStringLiteral("micro"),
        QStringLiteral("ed"), QStringLiteral("editor"), QStringLiteral("sensible-editor"),
        // pagers and text browsers
        QStringLiteral("less"), QStringLiteral("more"), QStringLiteral("most"),
        QStringLiteral("pager"), QStringLiteral("w3m"), QStringLiteral("lynx"),
        QStringLiteral("links"), QStringLiteral("elinks"), QStringLiteral("www-browser"),
        QStringLiteral("mc"),
        // terminals, which would run one of the above
        QStringLiteral("x-terminal-emulator"), QStringLiteral("xterm"), QStringLiteral("uxterm"),
        QStringLiteral("gnome-terminal"), QStringLiteral("konsole"),
        QStringLiteral("xfce4-terminal"), QStringLiteral("lxterminal"),
        QStringLiteral("mate-terminal"), QStringLiteral("terminator"), QStringLiteral("tilix"),
        QStringLiteral("kitty"), QStringLiteral("alacritty"), QStringLiteral("foot"),
        QStringLiteral("rxvt"), QStringLiteral("urxvt"), QStringLiteral("st")};
    return names;
}

// The keys of the [Desktop Entry] group (other groups are actions).
QHash<QString, QString> mainGroup(const QString& text) {
    QHash<QString, QString> keys;
    bool inMain = false;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMain = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (inMain && equals > 0 && !line.startsWith(QLatin1Char('#')))
            keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return keys;
}

// The program an Exec line runs: its first word past `env` and VAR=value settings.
QString programOf(const QString& exec) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    static const QRegularExpression setting(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*="));
    const QStringList words = exec.split(space, Qt::SkipEmptyParts);
    for (const QString& word : words) {
        QString bare = word;
        bare.remove(QLatin1Char('"'));
        const QString name = QFileInfo(bare).fileName();
        if (name == QLatin1String("env") || setting.match(bare).hasMatch())
            continue;
        return name;
    }
    return {};
}

bool isTrue(const QString& value) {
    return value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

} // namespace

QStringList applicationFolders(const QString& dataHome, const QString& dataDirs,
                               const QString& home) {
    QStringList folders;
    folders << (dataHome.isEmpty() ? home + QStringLiteral("/.local/share") : dataHome) +
                   QStringLiteral("/applications");
    const QString dirs =
        dataDirs.isEmpty() ? QStringLiteral("/usr/local/share:/usr/share") : dataDirs;
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << dir + QStringLiteral("/applications");
    return folders;
}

QString desktopEntryFile(const QString& desktopId, const QStringList& folders) {
    if (desktopId.isEmpty() || desktopId.contains(QLatin1Char('/')))
        return {};
    // "vendor-name.desktop" may be vendor/name.desktop, at every dash.
    QStringList candidates{desktopId};
    for (qsizetype dash = desktopId.indexOf(QLatin1Char('-')); dash > 0;
         dash = desktopId.indexOf(QLatin1Char('-'), dash + 1)) {
        QString nested = desktopId;
        nested[dash] = QLatin1Char('/');
        candidates << nested;
    }
    for (const QString& folder : folders)
        for (const QString& candidate : candidates) {
            const QString path = QDir(folder).filePath(candidate);
            if (QFileInfo(path).isFile())
                return path;
        }
    return {};
}

bool isGraphicalProgram(const QString& desktopEntryText) {
    const QHash<QString, QString> keys = mainGroup(desktopEntryText);
    if (isTrue(keys.value(QStringLiteral("Terminal"))) ||
        isTrue(keys.value(QStringLiteral("Hidden"))))
        return false;
    const QString program = programOf(keys.value(QStringLiteral("Exec")));
    return !program.isEmpty() && !terminalPrograms().contains(program);
}

bool isGraphicalHtmlHandler(const QString& desktopId, const QStringList& folders) {
    // xdg-mime may answer with several, separated by ';': its first is the default.
    const QString first = desktopId.trimmed().section(QLatin1Char(';'), 0, 0).trimmed();
    const QString path = desktopEntryFile(first, folders);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    return isGraphicalProgram(QString::fromUtf8(file.read(64 * 1024)));
}

} // namespace hearvex
