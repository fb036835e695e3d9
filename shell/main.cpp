// Hearvex: listening and dictation practice.
#include "engine_api.h"
#include "fonts.h"
#include "form1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hearvex"));
    hearvex::ui::installFontSubstitutions();

    auto engine = hearvex::makeVbmp3Engine();
    hearvex::Form1 form1(*engine);
    form1.load();
    form1.show();
    return QApplication::exec();
}
