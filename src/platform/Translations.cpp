#include "platform/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Translations {

QString toolkitDir()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool installToolkitRussian(QCoreApplication& app, const QString& dir)
{
    // Owned by the application, so it lives as long as the texts it translates.
    auto* translator = new QTranslator(&app);
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    if (!translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"), dir.isEmpty() ? toolkitDir() : dir) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace Translations
