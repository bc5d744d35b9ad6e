#include "model/clsMenuOfDay.h"

clsMenuOfDay::clsMenuOfDay()
{
    for (auto& meal : m_meals)
        meal = std::make_unique<clsTrapeza>();
}

clsMenuOfDay::clsMenuOfDay(const clsMenuOfDay& other)
{
    for (size_t i = 0; i < m_meals.size(); ++i)
        m_meals[i] = std::make_unique<clsTrapeza>(*other.m_meals[i]);
}

clsMenuOfDay& clsMenuOfDay::operator=(const clsMenuOfDay& other)
{
    if (this != &other) {
        for (size_t i = 0; i < m_meals.size(); ++i)
            m_meals[i] = std::make_unique<clsTrapeza>(*other.m_meals[i]);
    }
    return *this;
}

clsMenuOfDay::~clsMenuOfDay() = default;

void clsMenuOfDay::SetTrapeza(const clsTrapeza& objTrapeza, qint16 intMeal)
{
    if (intMeal < 1 || intMeal > 3)
        return;
    // A meal holds no repeats, so a plain copy is the meal entry by entry (and stays
    // linear for a meal of the whole catalog).
    m_meals[static_cast<size_t>(intMeal - 1)] = std::make_unique<clsTrapeza>(objTrapeza);
}

clsTrapeza* clsMenuOfDay::GetTrapeza(qint16 intMeal)
{
    if (intMeal < 1 || intMeal > 3)
        return nullptr;
    return m_meals[static_cast<size_t>(intMeal - 1)].get();
}

const clsTrapeza* clsMenuOfDay::GetTrapeza(qint16 intMeal) const
{
    return const_cast<clsMenuOfDay*>(this)->GetTrapeza(intMeal);
}

qint64 clsMenuOfDay::GetVes(const clsCatalog& objCatalog, qint16 intCountPeople) const
{
    qint64 intVes = 0;
    for (const auto& meal : m_meals)
        intVes += meal->GetVes(objCatalog, intCountPeople);
    return intVes;
}
