#pragma once

#include <QtGlobal>

#include <optional>

// What the catalog may know of a product beyond its name, norm and unit. Every value
// has at most two decimals and is kept exactly, in hundredths; an empty value is
// unknown.
struct ProductFacts
{
    std::optional<qint64> energy;        // kcal per 100 g
    std::optional<qint64> proteins;      // g per 100 g
    std::optional<qint64> fats;          // g per 100 g
    std::optional<qint64> carbohydrates; // g per 100 g
    std::optional<qint64> gramsPerUnit;  // weight of one unit; never set for a gram word
    std::optional<qint64> package;       // how much one package holds, in the product's unit
    std::optional<qint64> price;         // roubles, of a package when given, else of a unit

    bool isEmpty() const
    {
        return !energy && !proteins && !fats && !carbohydrates && !gramsPerUnit && !package && !price;
    }
    bool operator==(const ProductFacts&) const = default;
};
