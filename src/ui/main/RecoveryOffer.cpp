#include "ui/main/RecoveryOffer.h"

#include "model/RuDate.h"
#include "platform/Headless.h"
#include "platform/MessageBox.h"
#include "tripfile/TripData.h"
#include "tripfile/TripFile.h"
#include "ui/main/frmMainForm.h"

#include <QFileInfo>

#include <memory>

namespace RecoveryOffer {

namespace {

const QString kCaption = QStringLiteral("Восстановление похода");

void reportDamaged(frmMainForm& main, RecoveryCopy::Pending& p, const QString& strReason)
{
    QString strText = QStringLiteral("Копия для восстановления повреждена и не будет открыта:\n%1.\n\n%2")
                          .arg(describe(p), strReason);
    QString strAside;
    QString strError;
    if (RecoveryCopy::setAside(p, strAside, strError))
        strText += QStringLiteral("\n\nКопия отложена в файл\n%1").arg(strAside);
    else
        strText +=
            QStringLiteral("\n\nКопию не удалось отложить (%1); она осталась на месте:\n%2").arg(strError, p.strCopy);
    RecoveryCopy::keep(p);
    MessageBox::show(&main, strText, TripFile::errorTitle(), MessageBox::OkOnly, MessageBox::Warning);
}

void discard(frmMainForm& main, RecoveryCopy::Pending& p)
{
    QString strError;
    if (!RecoveryCopy::discard(p, strError)) {
        RecoveryCopy::keep(p);
        MessageBox::show(&main, QStringLiteral("Копия для восстановления не удалена.\n%1").arg(strError),
                         TripFile::errorTitle(), MessageBox::OkOnly, MessageBox::Critical);
    }
}

} // namespace

QString folder()
{
    if (Platform::headless() && qEnvironmentVariableIsEmpty("XDG_STATE_HOME"))
        return QString();
    return RecoveryCopy::defaultFolder();
}

QString describe(const RecoveryCopy::Pending& p)
{
    const QDateTime dtLocal = p.dtWritten.toLocalTime();
    const QString strWhen =
        RuDate::shortDate(dtLocal.date()) + QLatin1Char(' ') + dtLocal.time().toString(QStringLiteral("HH:mm:ss"));
    if (p.strTrip.isEmpty())
        return QStringLiteral("новый поход, изменения от %1").arg(strWhen);
    return QStringLiteral("Поход «%1» (%2), изменения от %3").arg(QFileInfo(p.strTrip).fileName(), p.strTrip, strWhen);
}

void run(frmMainForm& main, const QString& strFolder)
{
    QList<RecoveryCopy::Pending> copies = RecoveryCopy::pending(strFolder);
    for (RecoveryCopy::Pending& p : copies) {
        TripData data;
        QString strError;
        if (!TripFile::readFile(p.strCopy, data, strError)) {
            reportDamaged(main, p, strError.isEmpty() ? strError : strError.first(1).toUpper() + strError.mid(1));
            continue;
        }
        const QString strAbout = describe(p);
        const MessageBox::Button restore = MessageBox::show(
            &main,
            QStringLiteral("Работа программы была прервана, изменения похода не сохранены:\n%1.\n\n"
                           "Восстановить их? Поход откроется как изменённый, и его можно будет сохранить.")
                .arg(strAbout),
            kCaption, MessageBox::YesNo, MessageBox::Question);
        if (restore == MessageBox::Yes) {
            // A trip restored earlier in this loop is offered for saving first; the copy
            // waits for the next start when that save does not happen.
            if (main.QuerySave() && main.RestoreFrom(p.strCopy, p.strTrip))
                discard(main, p);
            else
                RecoveryCopy::keep(p);
            continue;
        }
        const MessageBox::Button remove = MessageBox::show(
            &main,
            QStringLiteral("Удалить копию?\n%1.\n\nОтвет «Нет» оставит её до следующего запуска программы.")
                .arg(strAbout),
            kCaption, MessageBox::YesNo, MessageBox::Question);
        if (remove == MessageBox::Yes)
            discard(main, p);
        else
            RecoveryCopy::keep(p);
    }
}

void watch(frmMainForm& main)
{
    RecoveryCopy& copy = main.Recovery();
    auto blnTold = std::make_shared<bool>(false);
    QObject::connect(&copy, &RecoveryCopy::written, &main, [blnTold] { *blnTold = false; });
    QObject::connect(&copy, &RecoveryCopy::writeFailed, &main, [&main, blnTold](const QString& strError) {
        if (*blnTold)
            return;
        *blnTold = true;
        MessageBox::show(&main,
                         QStringLiteral("Копия похода для восстановления после сбоя не записана:\n%1\n\n"
                                        "Пока это так, несохранённые изменения при сбое пропадут.")
                             .arg(strError),
                         TripFile::errorTitle(), MessageBox::OkOnly, MessageBox::Warning);
    });
}

} // namespace RecoveryOffer
