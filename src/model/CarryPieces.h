#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

struct GlobalVariable;

// One product the group carries, cut into the pieces that go into backpacks: the
// packages bought, or one bag per meal in which it is served.
struct CarryProduct
{
    qint16 intProduct = 0; // catalog position
    QString strName;
    QString strEdin;
    qint64 intQuantity = 0;   // whole trip, in the product's unit
    bool blnPackages = false; // pieces are packages, else meal bags
    qint64 intPieceGrams = 0; // every piece of a product weighs the same
    int intPieces = 0;

    qint64 grams() const { return intPieceGrams * intPieces; }
};

// A product the trip needs whose weight is unknown.
struct CarryUnknown
{
    QString strName;
    qint64 intQuantity = 0;
    QString strEdin;
};

// What the group carries: the whole-trip purchase list cut into pieces.
struct CarryPieces
{
    QList<CarryProduct> products; // in the catalog's name order
    QList<CarryUnknown> unknown;  // "не распределено", same order

    // Over trip days 1..intCountDay, day d served daily menu ((d - 1) mod intPeriod) + 1.
    // Grams are whole (rounded, ties to even). Throws OverflowError for amounts beyond
    // 64 bits (not reachable with 16-bit norms and counts).
    static CarryPieces build(const GlobalVariable& g, int intCountDay);

    int pieceCount() const;
    qint64 totalGrams() const;
};
