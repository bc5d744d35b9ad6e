#pragma once

#include "model/RecentFiles.h"

#include <QList>
#include <QObject>

class QAction;
class QMenu;

// The "Файл" menu's list of the trips last opened or saved: "&1 name.trb" to "&5 …"
// under a separator at the menu's end, each with its full path as tooltip and status
// tip; hidden while the list is empty. The list is kept in the user's key store under
// "Software\Torbel\Recent" as File1 (the latest) to File5.
class RecentTripsMenu : public QObject
{
    Q_OBJECT

public:
    static inline const QString KeyName = QStringLiteral("Software\\Torbel\\Recent");

    explicit RecentTripsMenu(QMenu& menu);

    const RecentFiles& files() const { return m_files; }
    // Puts the file on top / takes it out, and keeps the list.
    void add(const QString& path);
    void remove(const QString& path);

    // The list kept in the key store, and keeping one; false when the store refused it.
    static RecentFiles load();
    static bool store(const RecentFiles& files);

signals:
    void chosen(const QString& path);

private:
    void keep();
    void refresh();

    RecentFiles m_files;
    QAction* m_separator = nullptr;
    QList<QAction*> m_actions;
};
