#include "desktop_open.h"

#include "html_handler.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace hearvex {

namespace {

constexpr int kQueryTimeoutMs = 3000;

// Runs program with arguments; calls done(exit code, its output) once, later,
// on the window thread: -1 when it could not start, crashed or took too long.
void runProgram(const QString& program, const QStringList& arguments, QObject* owner,
                std::function<void(int, const QString&)> done, bool forwardOutput) {
    auto* process = new QProcess(owner);
    process->setProgram(program);
    process->setArguments(arguments);
    // What an opener says goes where the program's own messages go; it is not read.
    if (forwardOutput)
        process->setProcessChannelMode(QProcess::ForwardedChannels);
    auto finish = [process, done](int exitCode, const QString& output) {
        if (process->property("done").toBool())
            return;
        process->setProperty("done", true);
        done(exitCode, output);
        process->deleteLater();
    };
    QObject::connect(process, &QProcess::finished, owner,
                     [process, finish](int exitCode, QProcess::ExitStatus status) {
                         finish(status == QProcess::NormalExit ? exitCode : -1,
                                QString::fromLocal8Bit(process->readAllStandardOutput()));
                     });
    QObject::connect(process, &QProcess::errorOccurred, owner,
                     [finish](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             finish(-1, {}); // a crash is reported by finished as well
                     });
    if (!forwardOutput) // a query that hangs must not keep the page from opening
        QTimer::singleShot(kQueryTimeoutMs, process, [process, finish] {
            finish(-1, {});
            process->kill();
        });
    process->start();
}

void startXdgOpen(const QString& xdgOpen, const QUrl& page, QObject* owner,
                  std::function<void()> cannotOpen) {
    runProgram(
        xdgOpen, {page.toLocalFile()}, owner,
        [cannotOpen](int exitCode, const QString&) {
            if (exitCode != 0)
                cannotOpen();
        },
        true);
}

QStringList applicationFoldersHere() {
    return applicationFolders(qEnvironmentVariable("XDG_DATA_HOME"),
                              qEnvironmentVariable("XDG_DATA_DIRS"), QDir::homePath());
}

} // namespace

void openWithDesktop(const QUrl& page, QObject* owner, std::function<void()> cannotOpen) {
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        if (!QDesktopServices::openUrl(page))
            cannotOpen();
        return;
    }
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) {
        startXdgOpen(xdgOpen, page, owner, std::move(cannotOpen));
        return;
    }
    // Only a graphical program gets the page: a terminal one would take it
    // out of sight, or show its source.
    runProgram(
        xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")},
        owner,
        [xdgOpen, page, owner, cannotOpen](int exitCode, const QString& answer) {
            if (exitCode == 0 && isGraphicalHtmlHandler(answer, applicationFoldersHere()))
                startXdgOpen(xdgOpen, page, owner, cannotOpen);
            else
                cannotOpen();
        },
        false);
}

} // namespace hearvex
