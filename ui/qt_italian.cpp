#include "qt_italian.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace pentora {

bool installQtItalian(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_it"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace pentora
