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
    qsizetype intSize = 0;
    for (const QStringList& cells : rows) {
        intSize += 1; // the line end (an empty row is one too)
        for (const QString& cell : cells)
            intSize += cell.size() + 1;
    }
    // Filled through a pointer, not appended cell by cell: a full catalog's list has a
    // hundred thousand cells, and the command line's whole run is a few milliseconds.
    QString text(intSize, Qt::Uninitialized);
    char16_t* to = reinterpret_cast<char16_t*>(text.data());
    for (const QStringList& cells : rows) {
        for (qsizetype c = 0; c < cells.size(); ++c) {
            if (c > 0)
                *to++ = u'\t';
            for (const QChar ch : cells.at(c)) {
                const char16_t u = ch.unicode();
                // A tab or line break inside a name would split its row for whoever reads
                // the lines; any other control character (the C0 and C1 sets, DEL: ESC,
                // BEL, NUL) could drive the terminal.
                if (u == u'\t' || u == u'\n' || u == u'\r')
                    *to++ = u' ';
                else if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
                    *to++ = QChar::ReplacementCharacter;
                else
                    *to++ = u;
            }
        }
        *to++ = u'\n';
    }
    text.truncate(to - reinterpret_cast<const char16_t*>(text.constData()));
    // One conversion for the whole list.
    return text.toUtf8();
}

} // namespace TripListing
