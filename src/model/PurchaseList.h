#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

struct GlobalVariable;

// One product of a purchase list: what the whole group needs on the taken days.
struct PurchaseRow
{
    QString strName;
    qint32 intAmount = 0; // in the product's own unit
    QString strEdin;

    bool operator==(const PurchaseRow&) const = default;
};

// How much of each catalog product to buy, for the whole trip or for the days one
// duty shift cooks. Built from the trip state alone; nothing is kept between builds.
struct PurchaseList
{
    // Products needed at least once, in the catalog's name order.
    QList<PurchaseRow> rows;
    // Sum of the amounts whose unit is a gram word of this list (see isGramUnit).
    qint64 intGramTotal = 0;
    // An empty catalog shows one empty row instead of a list.
    bool blnEmptyCatalog = true;
    // Meal entries that name no catalog product (only an inconsistent trip has them); not counted.
    int intUnknownEntries = 0;

    static inline const QString TotalName = QStringLiteral("ВСЕГО:");
    static inline const QString TotalUnit = QStringLiteral("гр");

    // The list over all trip days (blnViewAll) or over the days of shift intSmen.
    // Days 1..intCountDay are served the menus stored in objRasklad, so the layout must
    // have been built for the current trip. Throws OutOfRangeError when the layout, the
    // ration or the shift count do not fit the trip, OverflowError when one product's
    // amount passes 32 bits.
    static PurchaseList build(const GlobalVariable& g, bool blnViewAll, qint16 intSmen);

    // Trip days 1..intCountDay that the list covers, in order.
    static QList<qint16> takenDays(qint16 intCountDay, qint16 intCountSmena, bool blnViewAll, qint16 intSmen);

    // The units that count in the total: "гр.", "гр", "г", "г.", "g", "g.", exactly
    // (not "грамм", unlike the meal weights).
    static bool isGramUnit(const QString& strEdin);

    bool hasTotal() const { return intGramTotal >= 1; }

    // The grid rows below the header, as the layout window shows them and the purchase
    // list document copies them: one row per product, then the "ВСЕГО:" row when the
    // total is at least 1; one row of three empty cells for an empty catalog.
    QList<QStringList> gridRows() const;
};
