#pragma once

#include "model/clsProduct.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// The weight and package arithmetic every new figure shares. Values in hundredths, as in
// ProductFacts.
namespace ProductGrams {

// "гр", "гр.", "грамм", "г", "г.", "g" and "g." exactly: one unit weighs 1 g.
bool isGramWord(const QString& strEdin);

// Grams of one unit in hundredths: 100 for a gram word, else the product's own value.
std::optional<qint64> gramsPerUnit(const clsProduct& p);

// Whole packages holding at least intQuantity units of a product whose package holds
// package (hundredths, above 0), counted exactly: 21 with a package of 0.35 is 60.
qint64 packagesToBuy(qint64 intQuantity, qint64 package);

} // namespace ProductGrams
