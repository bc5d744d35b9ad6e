#include "app/TripExport.h"

#include "export/CarryDocument.h"
#include "export/ShoppingDocument.h"
#include "export/TripDocuments.h"
#include "export/clsRKWord.h"
#include "model/GlobalVariable.h"
#include "platform/AtomicFile.h"
#include "platform/MessageBox.h"
#include "tripfile/TripFile.h"

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

    // The document is made in memory and written only when whole: a failed export
    // leaves the earlier file as it was and no half document, and an interrupted one
    // leaves nothing in the temporary folder.
    TripDocuments::ExportResult result;
    QStringList messages;
    QString strSaveError;
    QByteArray bytes;
    {
        // Whatever the writer has to say is collected here and never shown: no window
        // may appear on the command line.
        MessageBox::Recorder boxes;
        clsRKWord& w = objWord(g);
        w.setOutputFile(strPath);
        w.setHoldOutput(true);
        result = doc == Document::Layout     ? TripDocuments::exportLayout(g, blnViewAll, intSmen)
                 : doc == Document::Shopping ? ShoppingDocument::exportShopping(g, blnViewAll, intSmen)
                 : doc == Document::Carry    ? CarryDocument::exportCarry(g)
                                             : TripDocuments::exportPurchases(g, blnViewAll, intSmen);
        w.setOutputFile(QString());
        w.setHoldOutput(false);
        strSaveError = w.lastError();
        bytes = w.takeOutput();
        for (const MessageBox::Shown& box : boxes.shown()) {
            if (!messages.contains(box.text))
                messages.append(box.text);
        }
    }
    // The file could not be made (or the writer could not start for want of a place to
    // put it): where and why, rather than the writer's boxes, which speak of Word.
    if (result.strFile.isEmpty() && !strSaveError.isEmpty())
        return refuse(strSaveError);
    if (!result.ok() || !messages.isEmpty()) {
        if (!messages.isEmpty())
            strMessage = messages.join(QLatin1Char('\n'));
        return false;
    }

    if (!AtomicFile::write(strPath, bytes, strWhy))
        return refuse(strWhy);
    strMessage.clear();
    return true;
}

} // namespace TripExport
