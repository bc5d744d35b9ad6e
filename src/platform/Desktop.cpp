#include "platform/Desktop.h"

#include "platform/Headless.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

struct State
{
    bool testMode = false;
    bool result = true;
    QStringList programsOnPath;
    QList<Desktop::Call> calls;
};

State& state()
{
    static State s;
    return s;
}

bool record(Desktop::Kind kind, const QString& target, const QStringList& args = QStringList())
{
    state().calls.append(Desktop::Call{kind, target, args});
    return state().result;
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
            if (state().programsOnPath.contains(name))
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

void Desktop::setTestMode(bool on)
{
    state().testMode = on;
}

bool Desktop::testMode()
{
    return state().testMode || Platform::headless();
}

void Desktop::setResult(bool ok)
{
    state().result = ok;
}

void Desktop::setProgramsOnPath(const QStringList& names)
{
    state().programsOnPath = names;
}

const QList<Desktop::Call>& Desktop::calls()
{
    return state().calls;
}

void Desktop::clear()
{
    state().calls.clear();
    state().result = true;
    state().programsOnPath.clear();
}

Desktop::Recorder::Recorder()
    : m_previous(state().testMode)
{
    Desktop::clear();
    state().testMode = true;
}

Desktop::Recorder::~Recorder()
{
    Desktop::clear();
    state().testMode = m_previous;
}

Desktop::Call Desktop::Recorder::last() const
{
    return state().calls.isEmpty() ? Call{} : state().calls.last();
}
