#pragma once

#include "model/clsTrapeza.h"

#include <array>
#include <memory>

// One daily menu: lunch, dinner and the next morning's breakfast (indices 1..3).
class clsMenuOfDay
{
public:
    clsMenuOfDay();
    // A copy of a daily menu copies its meals; nothing is shared.
    clsMenuOfDay(const clsMenuOfDay& other);
    clsMenuOfDay& operator=(const clsMenuOfDay& other);
    clsMenuOfDay(clsMenuOfDay&&) noexcept = default;
    clsMenuOfDay& operator=(clsMenuOfDay&&) noexcept = default;
    ~clsMenuOfDay();

    // Stores a copy of the meal; an index outside 1..3 stores nothing.
    void SetTrapeza(const clsTrapeza& objTrapeza, qint16 intMeal);
    // The stored meal itself, or nullptr outside 1..3.
    clsTrapeza* GetTrapeza(qint16 intMeal);
    const clsTrapeza* GetTrapeza(qint16 intMeal) const;

    qint64 GetVes(const clsCatalog& objCatalog, qint16 intCountPeople) const;

private:
    std::array<std::unique_ptr<clsTrapeza>, 3> m_meals;
};
