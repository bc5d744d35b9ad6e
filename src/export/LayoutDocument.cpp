#include "export/LayoutDocument.h"

#include "export/clsRKWord.h"
#include "model/GlobalVariable.h"
#include "model/Meals.h"
#include "model/ModelErrors.h"
#include "model/RuDate.h"
#include "model/TripDays.h"
#include "model/Weights.h"
#include "model/clsTrapeza.h"

#include <algorithm>

namespace LayoutDocument {

namespace {

// Border edges and lines, in the word processor's numbers.
constexpr qint32 Top = -1;
constexpr qint32 Left = -2;
constexpr qint32 Bottom = -3;
constexpr qint32 Right = -4;

constexpr qint32 Single = 1;
constexpr qint32 Dotted = 2;
constexpr qint32 ThinThick = 9;
constexpr qint32 ThickThin = 10;
constexpr qint32 ThinThickThin = 11;

constexpr qint32 Thin = 4;   // 0.5 pt
constexpr qint32 Thick = 24; // 3 pt

QString perPersonText(qint64 intGroupVes, qint16 intCountPeople)
{
    return QString::number(Weights::perPerson(intGroupVes, intCountPeople));
}

} // namespace

int DayBlock::rows() const
{
    int intRows = 0;
    for (const QList<QStringList>& meal : meals)
        intRows = std::max(intRows, int(meal.size()));
    return intRows;
}

DayBlock dayBlock(const GlobalVariable& g, qint16 intDay, qint32 prOp)
{
    const clsMenuOfDay& objMenu = g.objMenuList.GetMenu(g.objRasklad.GetMenu(intDay));
    const QDate dtDay = TripDays::dateOfDay(g.dtDataBegin, intDay);
    const qint16 intPeople = g.intCountPeople;

    DayBlock b;
    b.strHeading =
        prOp == 0 ? QStringLiteral("Дежурная смена №") + QString::number(TripDays::smenaOfDay(intDay, g.intCountSmena))
                  : RuDate::longDateWithWeekday(dtDay);
    // The breakfast column is the next morning's.
    b.headers = {QStringLiteral("Обед   ") + RuDate::shortDate(dtDay),
                 QStringLiteral("Ужин  ") + RuDate::shortDate(dtDay),
                 QStringLiteral("Завтрак  ") + RuDate::shortDate(dtDay.addDays(1))};

    for (qint16 m = 1; m <= Meals::Count; ++m) {
        const clsTrapeza* objTrapeza = objMenu.GetTrapeza(m);
        if (!objTrapeza)
            throw OutOfRangeError("meal index out of range");
        QList<QStringList> products;
        for (qint16 k = 1; k <= objTrapeza->GetCountProduct(); ++k) {
            const clsProduct& p = g.objCatalog.GetProduct(objTrapeza->GetIndexProduct(k));
            // 32-bit, so a large group's amount is written as it is.
            const qint32 intAmount = clsTrapeza::groupAmount(p.Norma(), intPeople);
            products.append({p.Name(), QString::number(intAmount) + QLatin1Char(' ') + p.strProductEdin});
        }
        b.meals.append(products);
        b.mealWeights.append(perPersonText(objTrapeza->GetVes(g.objCatalog, intPeople), intPeople));
    }
    b.strDayWeight = perPersonText(objMenu.GetVes(g.objCatalog, intPeople), intPeople);
    return b;
}

bool writeDay(clsRKWord& w, const DayBlock& block)
{
    const QString strLeft = QStringLiteral("left");
    const QString strRight = QStringLiteral("right");
    const QString strUp = QStringLiteral("up");
    const QString strDown = QStringLiteral("down");
    const int intRows = block.rows();

    w.SetAlign(QStringLiteral("Left"));
    w.SetFontSize(14);
    if (!w.InsertText(block.strHeading))
        return false;
    w.Enter();
    w.InsertTable(intRows + 3, 6);
    w.KeepTableTogether();

    // Header row: one cell over each meal's pair of columns.
    w.UnionCells(2);
    if (!w.DesignSelectionCells(Top, ThickThin, Thick))
        return false;
    w.DesignSelectionCells(Left, ThickThin, Thick);
    w.DesignSelectionCells(Right, ThinThickThin, Thick);
    w.DesignSelectionCells(Bottom, Single, Thin);
    w.Move(strRight);
    w.UnionCells(2);
    w.DesignSelectionCells(Top, ThickThin, Thick);
    w.DesignSelectionCells(Right, ThinThickThin, Thick);
    w.DesignSelectionCells(Bottom, Single, Thin);
    w.Move(strRight);
    w.UnionCells(2);
    w.DesignSelectionCells(Top, ThickThin, Thick);
    w.DesignSelectionCells(Right, ThinThick, Thick);
    w.DesignSelectionCells(Bottom, Single, Thin);
    for (int i = 0; i < 3; ++i)
        w.Move(strLeft);
    for (int m = 0; m < Meals::Count; ++m) {
        if (m > 0)
            w.Move(strRight);
        w.Bold(true);
        w.SetFontSize(14);
        w.InsertText(block.headers.value(m));
    }
    w.Move(strDown);
    for (int i = 0; i < 5; ++i)
        w.Move(strLeft);

    // Product rows, one meal's pair of columns after another, top to bottom.
    for (int m = 1; m <= Meals::Count; ++m) {
        const QList<QStringList> products = block.meals.value(m - 1);
        for (int k = 1; k <= intRows; ++k) {
            if (!w.DesignSelectionCells(Top, Dotted, Thin))
                return false;
            if (m == 1) {
                w.DesignSelectionCells(Left, ThickThin, Thick);
                w.DesignSelectionCells(Bottom, Dotted, Thin);
                w.DesignSelectionCells(Right, Dotted, Thin);
            } else {
                w.DesignSelectionCells(Right, Dotted, Thin);
                w.DesignSelectionCells(Bottom, Dotted, Thin);
            }
            w.MoveRightCell(1);
            w.DesignSelectionCells(Top, Dotted, Thin);
            w.DesignSelectionCells(Right, m == 3 ? ThinThick : ThinThickThin, Thick);
            w.DesignSelectionCells(Bottom, Dotted, Thin);
            w.MoveLeftCell(1);
            if (k <= products.size()) {
                w.SetAlign(QStringLiteral("Left"));
                if (!w.InsertText(products.at(k - 1).value(0)))
                    return false;
                w.Move(strRight);
                w.SetAlign(QStringLiteral("Right"));
                w.InsertText(products.at(k - 1).value(1));
                w.Move(strDown);
                w.Move(strLeft);
            } else {
                w.Move(strDown);
            }
        }
        if (m < Meals::Count) {
            for (int k = 0; k < intRows; ++k)
                w.Move(strUp);
            w.MoveRightCell(2);
        } else {
            w.MoveLeftCell(4);
        }
    }

    // Per-person weights of the meals.
    const QString names[] = {QStringLiteral("Удельный вес обеда  "), QStringLiteral("Удельный вес ужина  "),
                             QStringLiteral("Удельный вес завтрака  ")};
    for (int m = 0; m < Meals::Count; ++m) {
        if (m > 0)
            w.MoveRightCell(1);
        w.UnionCells(2);
        if (m == 0)
            w.DesignSelectionCells(Left, ThickThin, Thick);
        w.DesignSelectionCells(Top, ThinThickThin, Thick);
        w.DesignSelectionCells(Right, m == 2 ? ThinThick : ThinThickThin, Thick);
        w.DesignSelectionCells(Bottom, Single, Thin);
        w.SetFontSize(10);
        w.InsertText(names[m] + block.mealWeights.value(m) + QStringLiteral(" гр"));
    }

    // The day's weight, across the whole table.
    w.MoveRightCell(1);
    w.UnionCells(6);
    w.DesignSelectionCells(Left, ThickThin, Thick);
    w.DesignSelectionCells(Right, ThinThick, Thick);
    w.DesignSelectionCells(Bottom, ThinThick, Thick);
    w.Bold(true);
    w.SetFontSize(11);
    w.InsertText(QStringLiteral("Удельный вес рациона  ") + block.strDayWeight + QStringLiteral(" гр"));
    w.Move(strDown);
    w.Enter();
    return true;
}

bool PrintWord(GlobalVariable& g, qint16 intDay, qint32 prOp, QString* pstrTripError)
{
    DayBlock block;
    try {
        block = dayBlock(g, intDay, prOp);
    } catch (const std::exception& e) {
        if (pstrTripError)
            *pstrTripError = QString::fromUtf8(e.what());
        return false;
    }
    return writeDay(objWord(g), block);
}

} // namespace LayoutDocument
