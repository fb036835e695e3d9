#include "translations.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace hearvex {

namespace {

// A file name of its own, not the system locale: an English desktop gets
// Chinese too.
bool installCatalogue(QCoreApplication& app, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace

bool installQtChinese(QCoreApplication& app) {
    // qtbase holds every text of Widgets and the platform theme.
    return installCatalogue(app, QStringLiteral("qtbase_zh_CN"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool installMessagesInChinese(QCoreApplication& app) {
    return installCatalogue(app, QStringLiteral("hearvex-lesson_zh_CN"), QStringLiteral(":/i18n"));
}

} // namespace hearvex
