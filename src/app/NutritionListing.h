#pragma once

#include <QList>
#include <QStringList>
#include <QtGlobal>

struct GlobalVariable;

// "--list nutrition" and "--list shopping": the nutrition window's figures and shopping
// list as rows of cells, for a trip whose days are counted (intCountDay). May throw
// the model's OverflowError.
namespace NutritionListing {

QList<QStringList> nutrition(const GlobalVariable& g);
QList<QStringList> shopping(const GlobalVariable& g, bool blnViewAll, qint16 intSmen);

} // namespace NutritionListing
