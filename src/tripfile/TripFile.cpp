#include "tripfile/TripFile.h"

#include "model/GlobalVariable.h"
#include "model/Meals.h"
#include "model/Participants.h"
#include "platform/AtomicFile.h"
#include "tripfile/NutritionSection.h"

#include <exception>
#include <limits>
#include <type_traits>

namespace TripFile {

QString errorTitle()
{
    return QStringLiteral("Ошибка!");
}

QString readErrorText()
{
    return QStringLiteral("Ошибка чтения файла! Возможно неверный формат данных.");
}

QString writeErrorText(const QString& strPath)
{
    return QStringLiteral("Ошибка записи файла  ") + strPath + QStringLiteral("!");
}

namespace {

bool checkDate(const QDate& dt, const QString& strWhat, QString& strError)
{
    if (dt.isValid() && dt.year() >= 1 && dt.year() <= 9999)
        return true;
    strError = QStringLiteral("%1 не задана или лежит вне 1–9999 годов.").arg(strWhat);
    return false;
}

bool checkNotNegative(qint16 intValue, const QString& strWhat, QString& strError)
{
    if (intValue >= 0)
        return true;
    strError = QStringLiteral("%1 меньше нуля (%2).").arg(strWhat).arg(intValue);
    return false;
}

} // namespace

bool check(const TripData& data, QString& strError)
{
    return checkWithoutFacts(data, strError) && NutritionSection::check(data, strError);
}

bool checkWithoutFacts(const TripData& data, QString& strError)
{
    if (!checkDate(data.dtDataBegin, QStringLiteral("Дата начала похода"), strError) ||
        !checkDate(data.dtDataEnd, QStringLiteral("Дата завершения похода"), strError) ||
        !checkNotNegative(data.intCountDay, QStringLiteral("Продолжительность похода"), strError) ||
        !checkNotNegative(data.intCountPeople, QStringLiteral("Число участников"), strError) ||
        !checkNotNegative(data.intCountSmena, QStringLiteral("Число смен дежурных"), strError))
        return false;
    if (data.intPeriod < 1) {
        strError = QStringLiteral("Периодичность раскладки меньше 1 (%1).").arg(data.intPeriod);
        return false;
    }
    if (data.menus.size() > data.intPeriod) {
        strError = QStringLiteral("Суточных меню (%1) больше, чем периодичность раскладки (%2).")
                       .arg(data.menus.size())
                       .arg(data.intPeriod);
        return false;
    }
    for (qsizetype d = 0; d < data.menus.size(); ++d) {
        for (int j = 0; j < Meals::Count; ++j) {
            const QList<qint16>& positions = data.menus.at(d).meals.at(static_cast<size_t>(j));
            if (positions.size() > std::numeric_limits<qint16>::max()) {
                strError = QStringLiteral("Меню № %1, %2: больше %3 продуктов.")
                               .arg(d + 1)
                               .arg(Meals::label(j + 1))
                               .arg(std::numeric_limits<qint16>::max());
                return false;
            }
            for (qint16 intIndex : positions) {
                if (intIndex < 1 || intIndex > data.catalog.size()) {
                    strError = QStringLiteral("Меню № %1, %2: продукта № %3 нет в каталоге.")
                                   .arg(d + 1)
                                   .arg(Meals::label(j + 1))
                                   .arg(intIndex);
                    return false;
                }
            }
        }
    }
    return true;
}

namespace {

// Both forms of apply(): Data is the trip value, const or not; a non-const one gives
// its catalog away.
// bChecked: data has just passed check() (read() checks what it reads).
template <typename Data>
bool applyData(Data& data, GlobalVariable& g, QString& strError, bool bChecked = false)
{
    if (!bChecked && !check(data, strError))
        return false;
    // The new ration, participants and catalog are made aside; only then is the open
    // trip changed, by steps that cannot fail, so that even running out of memory leaves
    // it as it was.
    try {
        clsMenuList menus;
        clsTrapeza objTrapeza;
        clsMenuOfDay objMenu;
        for (int d = 1; d <= data.intPeriod; ++d) {
            if (d > data.menus.size()) {
                menus.AddMenu(d);
                continue;
            }
            const TripMenu& menu = data.menus.at(d - 1);
            for (int j = 1; j <= Meals::Count; ++j) {
                objTrapeza.SetProducts(menu.meals.at(static_cast<size_t>(j - 1))); // repeats collapse here
                objMenu.SetTrapeza(objTrapeza, j);
            }
            menus.SetMenu(objMenu, d);
        }
        QList<Participant> participants = Participants::fitted(data.participants, data.intCountPeople);
        clsCatalog catalog;
        if constexpr (std::is_const_v<Data>)
            catalog = data.catalog;
        else
            catalog = std::move(data.catalog);

        static_cast<TripSettings&>(g) = data;
        g.participants = std::move(participants);
        g.objCatalog = std::move(catalog);
        g.objMenuList = std::move(menus);
        g.intEnergyAim = data.intEnergyAim;
    } catch (const std::exception& e) {
        strError = QString::fromLocal8Bit(e.what());
        return false;
    }
    g.edits.replaced();
    return true;
}

} // namespace

bool apply(const TripData& data, GlobalVariable& g, QString& strError)
{
    return applyData(data, g, strError);
}

bool apply(TripData&& data, GlobalVariable& g, QString& strError)
{
    return applyData(data, g, strError);
}

TripData fromState(const GlobalVariable& g)
{
    TripData data;
    static_cast<TripSettings&>(data) = g;
    data.strTitle = g.strTitle;
    data.participants = Participants::fitted(g.participants, g.intCountPeople);
    if (Participants::allDefault(data.participants))
        data.participants.clear();

    data.catalog = g.objCatalog;
    data.menus.reserve(g.objMenuList.size());
    for (int d = 1; d <= g.objMenuList.size(); ++d) {
        const clsMenuOfDay& objMenu = g.objMenuList.GetMenu(d);
        TripMenu menu;
        for (int j = 1; j <= Meals::Count; ++j) {
            const clsTrapeza* objTrapeza = objMenu.GetTrapeza(j);
            QList<qint16>& positions = menu.meals.at(static_cast<size_t>(j - 1));
            for (int k = 1; k <= objTrapeza->GetCountProduct(); ++k)
                positions.append(objTrapeza->GetIndexProduct(k));
        }
        data.menus.append(menu);
    }
    NutritionSection::fromState(g, data);
    return data;
}

bool load(GlobalVariable& g, const QString& strPath, QString& strMessage, QString* strDetail)
{
    TripData data;
    QString strWhy;
    if (!readFile(strPath, data, strWhy) || !applyData(data, g, strWhy, true)) {
        strMessage = readErrorText();
        if (strDetail)
            *strDetail = strWhy;
        return false;
    }
    return true;
}

bool save(const GlobalVariable& g, const QString& strPath, QString& strMessage)
{
    QByteArray bytes;
    try {
        if (!write(fromState(g), bytes, strMessage))
            return false;
    } catch (const std::exception&) {
        strMessage = writeErrorText(strPath);
        return false;
    }
    // A failed save leaves the earlier file whole.
    QString strReason;
    if (strPath.isEmpty() || !AtomicFile::write(strPath, bytes, strReason)) {
        strMessage = writeErrorText(strPath);
        return false;
    }
    return true;
}

} // namespace TripFile
