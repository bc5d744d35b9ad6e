#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

bool record(Desktop::Kind kind, const QString& target, const QStringList& args = QStringList())
{
    Desktop::Log& log = Desktop::testLog();
    log.calls.append(Desktop::Call{kind, target, args});
    return log.kept.result;
}

} // namespace

bool Desktop::openUrl(const QUrl& url)
{
    if (testMode())
        return record(OpenUrl, url.toString(QUrl::FullyEncoded));
    if (!url.isValid())
        return false;
    return QDesktopServices::openUrl(url);
}

bool Desktop::openFile(const QString& path)
{
    if (testMode())
        return record(OpenFile, path);
    if (!QFileInfo(path).isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool Desktop::startProgram(const QString& program, const QStringList& args)
{
    if (testMode())
        return record(StartProgram, program, args);
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, args);
}

QString Desktop::findProgram(const QStringList& names)
{
    if (testMode()) {
        for (const QString& name : names) {
            if (testLog().kept.programsOnPath.contains(name))
                return QStringLiteral("/usr/bin/") + name;
        }
        return QString();
    }
    for (const QString& name : names) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

QString Desktop::findProgramIn(const QStringList& names, const QStringList& dirs)
{
    if (dirs.isEmpty())
        return QString(); // findExecutable would fall back to PATH
    for (const QString& name : names) {
        if (name.isEmpty() || name.contains(QLatin1Char('/')))
            continue;
        const QString path = QStandardPaths::findExecutable(name, dirs);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

Desktop::Log& Desktop::testLog()
{
    static Log s;
    return s;
}
