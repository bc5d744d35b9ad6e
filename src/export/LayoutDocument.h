#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class clsRKWord;
struct GlobalVariable;

// One trip day of the layout document: a heading and a bordered table of the three
// meals side by side (lunch and dinner of the day, breakfast of the next morning),
// their per-person weights and the day's.
namespace LayoutDocument {

// What a day block shows, worked out from the trip before anything is written.
struct DayBlock
{
    QString strHeading;  // "Дежурная смена №2" or " 7  июня  2026, ( воскресенье )"
    QStringList headers; // "Обед   07.06.2026", "Ужин  07.06.2026", "Завтрак  08.06.2026"
    // Per meal, its products as {name, amount text}.
    QList<QList<QStringList>> meals;
    QStringList mealWeights; // per-person weights of the three meals, decimal
    QString strDayWeight;    // per-person weight of the day, decimal

    // The number of product rows: the longest meal.
    int rows() const;
};

// The block of trip day intDay: prOp 0 heads it with the day's duty shift, any other
// value with the day's long date. Amounts are the group's: participants x norm, one
// blank, the unit. Throws the model's errors when the layout, the ration or the
// catalog do not hold the day's menu or products.
DayBlock dayBlock(const GlobalVariable& g, qint16 intDay, qint32 prOp);

// Writes a block at the cursor of the open document, which must be collapsed in an
// empty paragraph of the main text, and leaves the cursor in a new empty paragraph
// after the table. False, with the block as far as it got, when the heading, a
// product name or the first border of the header row or of a name cell could not be
// written; other steps that fail show the writer's message and the block goes on.
bool writeDay(clsRKWord& w, const DayBlock& block);

// Day intDay of the trip into objWord(g). False when the day could not be written; when
// that was because the trip does not hold the day's menu (nothing was written and no
// message shown), *pstrTripError tells why.
bool PrintWord(GlobalVariable& g, qint16 intDay, qint32 prOp, QString* pstrTripError = nullptr);

} // namespace LayoutDocument
