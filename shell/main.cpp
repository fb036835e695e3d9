// Hearvex: listening and dictation practice.
#include "artwork.h"
#include "engine_api.h"
#include "fonts.h"
#include "startup.h"
#include "translations.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hearvex"));
    hearvex::controls::installFontSubstitutions();
    hearvex::installQtChinese(app);
    // The desktop matches the windows to hearvex.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("hearvex"));
    QApplication::setWindowIcon(QIcon(hearvex::controls::artwork::programIcon(64)));

    auto engine = hearvex::makeVbmp3Engine();
    hearvex::Startup startup(*engine, QCoreApplication::applicationDirPath());
    // hearvex FILE: that recording opens and plays as soon as the window is up.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QString path = QFileInfo(arguments.at(1)).absoluteFilePath();
        if (QFileInfo(path).isFile())
            startup.setRecordingToOpen(path);
        else
            std::fprintf(stderr, "hearvex: no such file: %s\n", qPrintable(arguments.at(1)));
    }
    startup.begin();
    return QApplication::exec();
}
