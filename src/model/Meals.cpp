#include "model/Meals.h"

namespace Meals {

QString label(int intMeal)
{
    switch (intMeal) {
    case Lunch:
        return QStringLiteral("Обед");
    case Dinner:
        return QStringLiteral("Ужин");
    case Breakfast:
        return QStringLiteral("Завтрак");
    default:
        return {};
    }
}

} // namespace Meals
