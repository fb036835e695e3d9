// Hearvex: listening and dictation practice.
#include "artwork.h"
#include "engine_api.h"
#include "fonts.h"
#include "startup.h"
#include "translations.h"

#include <QApplication>
#include <QIcon>

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
    startup.begin();
    return QApplication::exec();
}
