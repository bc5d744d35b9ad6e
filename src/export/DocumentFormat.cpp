#include "export/DocumentFormat.h"

#include "platform/Headless.h"

#include <QSettings>
#include <QStandardPaths>

namespace DocumentFormats {

namespace {

const QString kKey = QStringLiteral("documents/format");

// Without a screen (tests, scripts) the choice is kept for the run only, so that
// nothing there touches the user's settings; QStandardPaths' test mode gives tests a
// scratch settings file instead.
bool inMemory()
{
    return Platform::headless() && !QStandardPaths::isTestModeEnabled();
}

DocumentFormat& memory()
{
    static DocumentFormat format = DocumentFormat::Docx;
    return format;
}

QString settingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/torbel/torbel.conf");
}

} // namespace

DocumentFormat saved()
{
    if (inMemory())
        return memory();
    const QString value = QSettings(settingsFile(), QSettings::IniFormat).value(kKey).toString();
    if (value == QLatin1String("pdf"))
        return DocumentFormat::Pdf;
    if (value == QLatin1String("print"))
        return DocumentFormat::Printer;
    return DocumentFormat::Docx;
}

void save(DocumentFormat format)
{
    if (inMemory()) {
        memory() = format;
        return;
    }
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(kKey, format == DocumentFormat::Pdf       ? QStringLiteral("pdf")
                            : format == DocumentFormat::Printer ? QStringLiteral("print")
                                                                : QStringLiteral("docx"));
}

bool isPdfName(const QString& path)
{
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

} // namespace DocumentFormats
