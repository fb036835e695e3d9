#include "tool_language.h"

#include <QLocale>
#include <QTranslator>

namespace hearvex::tool {

void installToolTranslation(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    // QLocale() is the locale of the environment; ":/i18n" is built into the tool.
    if (translator->load(QLocale(), QStringLiteral("hearvex-lesson"), QStringLiteral("_"),
                         QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace hearvex::tool
