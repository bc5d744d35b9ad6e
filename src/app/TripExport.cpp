#include "app/TripExport.h"

#include "export/CarryDocument.h"
#include "export/TripDocuments.h"
#include "export/clsRKWord.h"
#include "model/GlobalVariable.h"
#include "platform/MessageBox.h"
#include "tripfile/TripFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

namespace TripExport {

bool write(GlobalVariable& g, Document doc, bool blnViewAll, qint16 intSmen, const QString& strPath,
           QString& strMessage)
{
    const QFileInfo target(strPath);
    strMessage = TripFile::writeErrorText(strPath);
    if (target.isDir())
        return false;

    // The document is written beside the target and put in its place only when whole:
    // a failed export leaves the earlier file as it was, and no half document.
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.torbel-XXXXXX.docx"));
    if (!part.open())
        return false;
    part.close();

    TripDocuments::ExportResult result;
    QStringList messages;
    {
        // Whatever the writer has to say is collected here and never shown: no window
        // may appear on the command line.
        MessageBox::Recorder boxes;
        clsRKWord& w = objWord(g);
        w.setOutputFile(part.fileName());
        result = doc == Document::Layout  ? TripDocuments::exportLayout(g, blnViewAll, intSmen)
                 : doc == Document::Carry ? CarryDocument::exportCarry(g)
                                          : TripDocuments::exportPurchases(g, blnViewAll, intSmen);
        w.setOutputFile(QString());
        for (const MessageBox::Shown& box : boxes.shown()) {
            if (!messages.contains(box.text))
                messages.append(box.text);
        }
    }
    if (!result.ok() || !messages.isEmpty()) {
        if (!messages.isEmpty())
            strMessage = messages.join(QLatin1Char('\n'));
        return false;
    }

    // A replaced file keeps its permissions; a new one gets the usual ones, not the
    // owner-only ones of a temporary file.
    const QFileDevice::Permissions perms = target.exists() ? QFile::permissions(strPath)
                                                           : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                 QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(part.fileName(), perms);
    // rename() replaces the target in one step.
    if (std::rename(QFile::encodeName(part.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return false;
    part.setAutoRemove(false);
    strMessage.clear();
    return true;
}

} // namespace TripExport
