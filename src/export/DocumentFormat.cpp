#include "export/DocumentFormat.h"

#include <QSettings>
#include <QStandardPaths>

namespace DocumentFormats {

namespace {

const QString kKey = QStringLiteral("documents/format");

// The program's own settings file; QStandardPaths' test mode moves it aside for tests.
QString settingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/torbel/torbel.conf");
}

} // namespace

DocumentFormat saved()
{
    const QString value = QSettings(settingsFile(), QSettings::IniFormat).value(kKey).toString();
    if (value == QLatin1String("pdf"))
        return DocumentFormat::Pdf;
    if (value == QLatin1String("print"))
        return DocumentFormat::Printer;
    return DocumentFormat::Docx;
}

void save(DocumentFormat format)
{
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
