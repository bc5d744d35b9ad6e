#include "app/NutritionListing.h"

#include "model/GlobalVariable.h"
#include "model/Nutrition.h"
#include "model/Shopping.h"

namespace NutritionListing {

QList<QStringList> nutrition(const GlobalVariable& g)
{
    return Nutrition::rows(Nutrition::build(g, g.intCountDay));
}

QList<QStringList> shopping(const GlobalVariable& g, bool blnViewAll, qint16 intSmen)
{
    return Shopping::rows(Shopping::build(g, g.intCountDay, blnViewAll, intSmen));
}

} // namespace NutritionListing
