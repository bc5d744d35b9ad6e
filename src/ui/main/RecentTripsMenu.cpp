#include "ui/main/RecentTripsMenu.h"

#include "platform/KeyStore.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace {

QString valueName(int index)
{
    return QStringLiteral("File%1").arg(index);
}

} // namespace

RecentTripsMenu::RecentTripsMenu(QMenu& menu)
    : QObject(&menu)
    , m_files(load())
{
    // Only these entries set a tooltip, so the menu's own show none as before.
    menu.setToolTipsVisible(true);
    m_separator = menu.addSeparator();
    for (int i = 1; i <= RecentFiles::MaxCount; ++i) {
        QAction* act = menu.addAction(QString());
        act->setObjectName(QStringLiteral("menuMainFileRecent%1").arg(i));
        connect(act, &QAction::triggered, this, [this, act] {
            const QString path = act->data().toString();
            if (!path.isEmpty())
                emit chosen(path);
        });
        m_actions.append(act);
    }
    refresh();
}

RecentFiles RecentTripsMenu::load()
{
    QStringList paths;
    for (int i = 1; i <= RecentFiles::MaxCount; ++i) {
        QString strPath;
        if (KeyStore::user().GetKeyValue(KeyStore::HKEY_CURRENT_USER, KeyName, valueName(i), strPath))
            paths.append(strPath);
    }
    return RecentFiles(paths);
}

bool RecentTripsMenu::store(const RecentFiles& files)
{
    bool blnOk = true;
    for (int i = 1; i <= RecentFiles::MaxCount; ++i) {
        const QString strPath = files.paths().value(i - 1);
        blnOk = KeyStore::user().SetKeyValue(KeyStore::HKEY_CURRENT_USER, KeyName, valueName(i), strPath) && blnOk;
    }
    return blnOk;
}

void RecentTripsMenu::add(const QString& path)
{
    m_files.add(path);
    keep();
}

void RecentTripsMenu::remove(const QString& path)
{
    m_files.remove(path);
    keep();
}

void RecentTripsMenu::keep()
{
    // A store that refuses the list (a settings file that cannot be written) still
    // leaves it in the menu for this run: the list is a convenience, not the trip.
    store(m_files);
    refresh();
}

void RecentTripsMenu::refresh()
{
    m_separator->setVisible(!m_files.isEmpty());
    for (int i = 0; i < m_actions.size(); ++i) {
        QAction* act = m_actions.at(i);
        const QString path = m_files.paths().value(i);
        const QString native = QDir::toNativeSeparators(path);
        act->setData(path);
        act->setText(path.isEmpty() ? QString() : RecentFiles::menuText(i + 1, path));
        act->setToolTip(native);
        act->setStatusTip(native);
        act->setVisible(!path.isEmpty());
        act->setEnabled(!path.isEmpty());
    }
}
