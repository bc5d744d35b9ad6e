#pragma once

#include "model/FactValue.h"

// What the catalog may know of a product beyond its name, norm and unit. Every value
// has at most two decimals and is kept exactly, in hundredths; an empty value is
// unknown.
struct ProductFacts
{
    FactValue energy;        // kcal per 100 g
    FactValue proteins;      // g per 100 g
    FactValue fats;          // g per 100 g
    FactValue carbohydrates; // g per 100 g
    FactValue gramsPerUnit;  // weight of one unit; never set for a gram word
    FactValue package;       // how much one package holds, in the product's unit
    FactValue price;         // roubles, of a package when given, else of a unit

    bool isEmpty() const
    {
        return !energy && !proteins && !fats && !carbohydrates && !gramsPerUnit && !package && !price;
    }
    bool operator==(const ProductFacts&) const = default;
};
