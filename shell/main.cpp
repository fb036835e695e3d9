// Hearvex: listening and dictation practice.
#include "engine_api.h"
#include "fonts.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hearvex"));
    hearvex::ui::installFontSubstitutions();

    auto engine = hearvex::makeVbmp3Engine();
    hearvex::Startup startup(*engine, QCoreApplication::applicationDirPath());
    startup.begin();
    return QApplication::exec();
}
