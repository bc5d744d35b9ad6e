#pragma once

#include <QString>

class QCoreApplication;

// The toolkit's own texts (file dialogs, standard buttons, context menus) in Russian,
// so that nothing the program shows is left in English.
namespace Translations {

// Installs the toolkit's Russian catalogue ("qtbase_ru.qm") from dir, by default the
// toolkit's translations folder. A missing or unreadable catalogue is not an error:
// the texts stay as the toolkit has them and false is returned.
bool installToolkitRussian(QCoreApplication& app, const QString& dir = QString());

// The toolkit's translations folder (Debian: /usr/share/qt6/translations).
QString toolkitDir();

} // namespace Translations
