#include "translations.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace hearvex {

bool installQtChinese(QCoreApplication& app) {
    // A file name of its own, not the system locale: an English desktop gets
    // Chinese too. qtbase holds every text of Widgets and the platform theme.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace hearvex
