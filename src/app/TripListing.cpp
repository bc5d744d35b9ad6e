#include "app/TripListing.h"

#include "model/GlobalVariable.h"
#include "model/Meals.h"
#include "model/ModelErrors.h"
#include "model/PurchaseList.h"
#include "model/RuDate.h"
#include "model/TripDays.h"
#include "model/Weights.h"

namespace TripListing {

namespace {

const clsMenuOfDay& menuOfDay(const GlobalVariable& g, qint16 intDay)
{
    return g.objMenuList.GetMenu(g.objRasklad.GetMenu(intDay));
}

const clsTrapeza& meal(const clsMenuOfDay& objMenu, qint16 intMeal)
{
    const clsTrapeza* objTrapeza = objMenu.GetTrapeza(intMeal);
    if (!objTrapeza)
        throw OutOfRangeError("meal index out of range");
    return *objTrapeza;
}

QString number(qint64 value)
{
    return QString::number(value);
}

} // namespace

QList<QStringList> purchases(const GlobalVariable& g, bool blnViewAll, qint16 intSmen)
{
    return PurchaseList::build(g, blnViewAll, intSmen).gridRows();
}

QList<QStringList> layout(const GlobalVariable& g)
{
    QList<QStringList> rows;
    for (qint16 d = 1; d <= g.intCountDay; ++d) {
        const QStringList day{number(d), RuDate::shortDate(TripDays::dateOfDay(g.dtDataBegin, d)),
                              number(TripDays::smenaOfDay(d, g.intCountSmena)), number(g.objRasklad.GetMenu(d))};
        for (qint16 m = 1; m <= Meals::Count; ++m) {
            // The grid the window fills for this day and meal tab.
            const QList<QStringList> grid =
                g.objRasklad.ViewRasklad(d, m, g.intPeriod, g.objMenuList, g.objCatalog, g.intCountPeople);
            for (const QStringList& cells : grid)
                rows.append(day + QStringList{Meals::label(m)} + cells);
        }
    }
    return rows;
}

QList<QStringList> weights(const GlobalVariable& g)
{
    const qint16 intPeople = g.intCountPeople;
    QList<QStringList> rows;
    for (qint16 d = 1; d <= g.intCountDay; ++d) {
        const clsMenuOfDay& objMenu = menuOfDay(g, d);
        QStringList row{number(d), RuDate::shortDate(TripDays::dateOfDay(g.dtDataBegin, d))};
        for (qint16 m = 1; m <= Meals::Count; ++m)
            row.append(number(Weights::perPerson(meal(objMenu, m).GetVes(g.objCatalog, intPeople), intPeople)));
        row.append(number(Weights::perPerson(objMenu.GetVes(g.objCatalog, intPeople), intPeople)));
        rows.append(row);
    }
    rows.append({QStringLiteral("total"), number(g.objRasklad.GetVes(g.objMenuList, g.objCatalog, intPeople))});
    return rows;
}

QByteArray toTsv(const QList<QStringList>& rows)
{
    QString text;
    for (const QStringList& cells : rows) {
        for (qsizetype c = 0; c < cells.size(); ++c) {
            if (c > 0)
                text += u'\t';
            // A tab or line break inside a name would split its row for whoever reads the
            // lines; any other control character (ESC, BEL, NUL) could drive the terminal.
            const qsizetype intStart = text.size();
            text += cells.at(c);
            for (qsizetype i = intStart; i < text.size(); ++i) {
                const QChar ch = text.at(i);
                if (ch == u'\t' || ch == u'\n' || ch == u'\r')
                    text[i] = u' ';
                else if (ch.category() == QChar::Other_Control)
                    text[i] = QChar::ReplacementCharacter;
            }
        }
        text += u'\n';
    }
    // One conversion for the whole list: a full catalog's list has thousands of cells.
    return text.toUtf8();
}

} // namespace TripListing
