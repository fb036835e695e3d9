#include "desktop_open.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace hearvex {

void openWithDesktop(const QUrl& page, QObject* owner, std::function<void()> cannotOpen) {
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        if (!QDesktopServices::openUrl(page))
            cannotOpen();
        return;
    }
    auto* opener = new QProcess(owner);
    opener->setProgram(xdgOpen);
    opener->setArguments({page.toLocalFile()});
    // What it says goes where the program's own messages go; it is not read.
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(opener, &QProcess::finished, owner,
                     [opener, cannotOpen](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             cannotOpen();
                         opener->deleteLater();
                     });
    QObject::connect(opener, &QProcess::errorOccurred, owner,
                     [opener, cannotOpen](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return; // a crash is reported by finished as well
                         cannotOpen();
                         opener->deleteLater();
                     });
    opener->start();
}

} // namespace hearvex
