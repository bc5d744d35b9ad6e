#pragma once

#include "model/CarryPieces.h"
#include "model/CarrySplit.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

struct GlobalVariable;

// What one participant carries of one product.
struct CarryLine
{
    int intProduct = 0; // index into CarryPieces::products
    qint64 intPieces = 0;
    CarryWeight weight = 0;
};

// One participant's backpack.
struct CarryPack
{
    QString strName;
    qint32 intShare = 100;  // hundredths
    CarryWeight load = 0;   // exact, the sum of its lines
    double fTarget = 0;     // total x share / sum of shares, grams
    QList<CarryLine> lines; // in the products' name order

    double difference() const { return CarryWeights::grams(load) - fTarget; }
};

// The trip's food split among its participants, as the window, the document and the
// command line show it.
struct CarryPlan
{
    CarryPieces pieces;
    QList<CarryPack> packs; // one per participant, in order
    CarryWeight total = 0;  // all pieces, exact
    double fValue = 0;      // the split's largest load per unit of share, grams
    double fBound = 0;      // the lower bound of that value
    bool blnExact = false;
    CarryCost cost; // what the split cost, within CarrySplit's budgets

    // The participants are g.participants fitted to g.intCountPeople; pins maps a
    // catalog position to the participant (0-based) who carries all of that product.
    // Throws OverflowError (with TooManyText to show) for more pieces than the split
    // can count, which no trip of at most 51 days has.
    static CarryPlan make(const GlobalVariable& g, int intCountDay, const QHash<qint16, int>& pins = {});

    // How far the split is above the lower bound, in percent (0 when there is nothing).
    double gapPercent() const;

    // "2 уп. по 900 гр, 1800 гр" (packages) or "3 пак. по 240 гр, 720 гр" (meal bags).
    QString piecesText(const CarryLine& line) const;
    // "Гречка — 2 уп. по 900 гр, 1800 гр".
    QString lineText(const CarryLine& line) const;

    // Rows of the command line's list: for each participant, per product: number, name,
    // product, pieces, grams; then number, name, "ВСЕГО:", empty, load. Then one row
    // per product of unknown weight: "не распределено", empty, product, quantity, unit.
    QList<QStringList> rows() const;
    // The same in parts, for writing a list of millions of lines a part at a time:
    // participant j's rows; the rows of unknown weight.
    QList<QStringList> packRows(qsizetype j) const;
    QList<QStringList> unknownRows() const;

    static inline const QString UnknownName = QStringLiteral("не распределено");
    static inline const QString TotalName = QStringLiteral("ВСЕГО:");
    static inline const QString TooManyText =
        QStringLiteral("Слишком много упаковок и пакетов, чтобы их раздать. Сократите поход или число участников, "
                       "уменьшите нормы или укажите упаковки крупнее.");
};
