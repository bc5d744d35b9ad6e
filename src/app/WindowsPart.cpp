#include "app/WindowsPart.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <dlfcn.h>

namespace WindowsPart {

QStringList moduleCandidates(const QString& strExe)
{
    const QDir dir = QFileInfo(strExe).dir();
    return {dir.filePath(QLatin1String(ModuleName)),
            QDir::cleanPath(dir.filePath(QStringLiteral(TORBEL_MODULE_DIR "/") + QLatin1String(ModuleName)))};
}

int load(int argc, char* argv[])
{
    // The executable's real path, not argv[0]: a symbolic link or a search of PATH
    // must still find the module beside the real file.
    const QString strExe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    // Without it nothing is tried: never a module from the current folder.
    QByteArray why =
        strExe.isEmpty() ? QStringLiteral("/proc/self/exe: путь к программе не найден").toLocal8Bit() : QByteArray();
    void* module = nullptr;
    for (const QString& candidate : strExe.isEmpty() ? QStringList() : moduleCandidates(strExe)) {
        const bool blnThere = QFileInfo::exists(candidate);
        module = dlopen(QFile::encodeName(candidate).constData(), RTLD_NOW | RTLD_LOCAL);
        if (module)
            break;
        // The reason worth telling: the first module that is there but does not load,
        // else that the first place has none.
        if (why.isEmpty() || blnThere)
            why = dlerror();
        if (blnThere)
            break;
    }
    using Entry = int (*)(int, char*[]);
    Entry entry = nullptr;
    if (module) {
        // The module stays loaded to the end of the process: its objects live that long.
        entry = reinterpret_cast<Entry>(dlsym(module, EntryName));
        if (!entry)
            why = dlerror();
    }
    if (!entry) {
        const QString strText = QStringLiteral("torbel: не удалось загрузить окна и документы программы (%1):\n%2\n"
                                               "Списки раскладки работают и без них: torbel --help\n")
                                    .arg(QLatin1String(ModuleName), QString::fromLocal8Bit(why));
        std::fputs(strText.toLocal8Bit().constData(), stderr);
        return 1;
    }
    return entry(argc, argv);
}

} // namespace WindowsPart
