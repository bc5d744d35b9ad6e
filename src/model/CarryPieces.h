#pragma once

#include "model/CarryWeight.h"

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
    // Every piece of a product weighs the same: package x grams per unit, or the meal's
    // group amount x grams per unit, in ten-thousandths of a gram (at most 10^15).
    qint64 intPieceWeight = 0;
    qint64 intPieces = 0; // a package of 0.01 on a large trip makes billions

    CarryWeight weight() const { return CarryWeight(intPieceWeight) * intPieces; }
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
    // Weights are exact; packages are counted as the shopping list counts them.
    static CarryPieces build(const GlobalVariable& g, int intCountDay);

    qint64 pieceCount() const;
    CarryWeight totalWeight() const;
};
