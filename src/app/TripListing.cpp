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

namespace {

// The list text, filled through a pointer rather than appended cell by cell: a full
// catalog's list has a hundred thousand cells, and the command line's whole run is a
// few milliseconds. The capacity is counted beforehand.
class TsvText
{
public:
    explicit TsvText(qsizetype intCapacity)
        : m_text(intCapacity, Qt::Uninitialized)
        , m_to(reinterpret_cast<char16_t*>(m_text.data()))
    {
    }

    void cell(QStringView text, bool blnFirst)
    {
        if (!blnFirst)
            *m_to++ = u'\t';
        for (const QChar ch : text) {
            const char16_t u = ch.unicode();
            // A tab or line break inside a name would split its row for whoever reads
            // the lines; any other control character (the C0 and C1 sets, DEL: ESC,
            // BEL, NUL) could drive the terminal.
            if (u == u'\t' || u == u'\n' || u == u'\r')
                *m_to++ = u' ';
            else if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
                *m_to++ = QChar::ReplacementCharacter;
            else
                *m_to++ = u;
        }
    }

    // A whole number, as QString::number writes it.
    void number(qint64 value)
    {
        char16_t digits[20];
        int n = 0;
        quint64 rest = value < 0 ? 0 - quint64(value) : quint64(value);
        do {
            digits[n++] = char16_t(u'0' + rest % 10);
            rest /= 10;
        } while (rest != 0);
        *m_to++ = u'\t';
        if (value < 0)
            *m_to++ = u'-';
        while (n > 0)
            *m_to++ = digits[--n];
    }

    void endRow() { *m_to++ = u'\n'; }

    // One conversion for the whole list.
    QByteArray utf8()
    {
        m_text.truncate(m_to - reinterpret_cast<const char16_t*>(m_text.constData()));
        return m_text.toUtf8();
    }

private:
    QString m_text;
    char16_t* m_to;
};

// Room for a number cell: its tab, a sign and 19 digits.
constexpr qsizetype NumberCell = 21;

} // namespace

QByteArray toTsv(const QList<QStringList>& rows)
{
    qsizetype intSize = 0;
    for (const QStringList& cells : rows) {
        intSize += 1; // the line end (an empty row is one too)
        for (const QString& cell : cells)
            intSize += cell.size() + 1;
    }
    TsvText text(intSize);
    for (const QStringList& cells : rows) {
        for (qsizetype c = 0; c < cells.size(); ++c)
            text.cell(cells.at(c), c == 0);
        text.endRow();
    }
    return text.utf8();
}

QByteArray purchasesTsv(const GlobalVariable& g, bool blnViewAll, qint16 intSmen)
{
    const PurchaseList list = PurchaseList::build(g, blnViewAll, intSmen);
    if (list.blnEmptyCatalog)
        return toTsv(list.gridRows());
    qsizetype intSize = PurchaseList::TotalName.size() + PurchaseList::TotalUnit.size() + NumberCell + 2;
    for (const PurchaseRow& row : list.rows)
        intSize += row.strName.size() + row.strEdin.size() + NumberCell + 2;
    TsvText text(intSize);
    const auto put = [&text](const QString& strName, qint64 amount, const QString& strEdin) {
        text.cell(strName, true);
        text.number(amount);
        text.cell(strEdin, false);
        text.endRow();
    };
    for (const PurchaseRow& row : list.rows)
        put(row.strName, row.intAmount, row.strEdin);
    if (list.hasTotal())
        put(PurchaseList::TotalName, list.intGramTotal, PurchaseList::TotalUnit);
    return text.utf8();
}

} // namespace TripListing
