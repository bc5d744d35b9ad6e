#include "app/TripExport.h"

#include "export/CarryDocument.h"
#include "export/DocumentFormat.h"
#include "export/ShoppingDocument.h"
#include "export/TripDocuments.h"
#include "export/clsRKWord.h"
#include "model/GlobalVariable.h"
#include "platform/AtomicFile.h"
#include "platform/MessageBox.h"
#include "tripfile/TripFile.h"

#include <QFile>
#include <QTemporaryDir>

namespace TripExport {

bool write(GlobalVariable& g, Document doc, bool blnViewAll, qint16 intSmen, const QString& strPath,
           QString& strMessage)
{
    strMessage = TripFile::writeErrorText(strPath);
    const auto refuse = [&](const QString& strWhy) {
        strMessage += QLatin1Char('\n') + strWhy;
        return false;
    };
    QString strWhy;
    if (!g.strFileName.isEmpty() && AtomicFile::sameFile(strPath, g.strFileName))
        return refuse(QStringLiteral("это файл раскладки, из которого строится документ"));
    if (!AtomicFile::checkTarget(strPath, strWhy))
        return refuse(strWhy);

    // The document is built in a folder of its own and put in place only when whole:
    // a failed export leaves the earlier file as it was, and no half document.
    QTemporaryDir part;
    if (!part.isValid())
        return refuse(part.errorString());
    const QString strPart = part.filePath(DocumentFormats::isPdfName(strPath) ? QStringLiteral("document.pdf")
                                                                              : QStringLiteral("document.docx"));

    TripDocuments::ExportResult result;
    QStringList messages;
    QString strSaveError;
    {
        // Whatever the writer has to say is collected here and never shown: no window
        // may appear on the command line.
        MessageBox::Recorder boxes;
        clsRKWord& w = objWord(g);
        w.setOutputFile(strPart);
        result = doc == Document::Layout     ? TripDocuments::exportLayout(g, blnViewAll, intSmen)
                 : doc == Document::Shopping ? ShoppingDocument::exportShopping(g, blnViewAll, intSmen)
                 : doc == Document::Carry    ? CarryDocument::exportCarry(g)
                                             : TripDocuments::exportPurchases(g, blnViewAll, intSmen);
        w.setOutputFile(QString());
        strSaveError = w.lastError();
        for (const MessageBox::Shown& box : boxes.shown()) {
            if (!messages.contains(box.text))
                messages.append(box.text);
        }
    }
    if (result.blnComplete && result.strFile.isEmpty())
        return refuse(strSaveError); // built whole, but could not be saved
    if (!result.ok() || !messages.isEmpty()) {
        if (!messages.isEmpty())
            strMessage = messages.join(QLatin1Char('\n'));
        return false;
    }

    QFile built(strPart);
    if (!built.open(QIODevice::ReadOnly))
        return refuse(built.errorString());
    const QByteArray bytes = built.readAll();
    if (built.error() != QFileDevice::NoError)
        return refuse(built.errorString());
    if (!AtomicFile::write(strPath, bytes, strWhy))
        return refuse(strWhy);
    strMessage.clear();
    return true;
}

} // namespace TripExport
