#include "model/RecentFiles.h"

#include <QDir>
#include <QFileInfo>

RecentFiles::RecentFiles(const QStringList& paths)
{
    // The oldest first, so that the kept order comes out again.
    for (auto it = paths.crbegin(); it != paths.crend(); ++it) {
        if (!it->isEmpty())
            add(*it);
    }
}

QString RecentFiles::identity(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString RecentFiles::menuText(int index, const QString& path)
{
    QString name = QFileInfo(path).fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index).arg(name);
}

qsizetype RecentFiles::find(const QString& path) const
{
    const QString key = identity(path);
    for (qsizetype i = 0; i < m_paths.size(); ++i) {
        if (identity(m_paths.at(i)) == key)
            return i;
    }
    return -1;
}

bool RecentFiles::contains(const QString& path) const
{
    return find(path) >= 0;
}

void RecentFiles::add(const QString& path)
{
    if (path.isEmpty())
        return;
    remove(path);
    m_paths.prepend(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (m_paths.size() > MaxCount)
        m_paths.resize(MaxCount);
}

bool RecentFiles::remove(const QString& path)
{
    const qsizetype i = find(path);
    if (i < 0)
        return false;
    m_paths.removeAt(i);
    return true;
}
