#pragma once

#include "model/FoodReference.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class clsCatalog;
class clsProduct;
struct GlobalVariable;

// Catalog products made from foods chosen in the reference: the food's first name, its
// unit, its norm when the reference knows one and all its values. The foods are added
// in one step (add), so that the step can be taken back as one.
namespace CatalogFromReference {

// The unit a food gets: the reference's piece unit ("шт", "пак") for a piece good,
// else grams.
QString defaultUnit(const FoodReference::Entry& entry);
// The units offered for a food: grams, and the reference's own unit when it has one
// (with the weight of one). Any other unit may be typed; it gets no weight, but a
// kilogram weighs 1000 g.
QStringList units(const FoodReference::Entry& entry);
// The norm the reference gives, as the norm field shows it; empty when unknown or when
// the unit is not grams (the reference's norms are in grams).
QString normText(const FoodReference::Entry& entry, const QString& strUnit);

// The foods found as FoodReference::search finds them, the likeliest first: a name that
// is the query, then one that starts with it, then one with a word that starts with it,
// shorter names first, then the rest in table order. "греч" puts "Гречка" before
// "Гречка зелёная".
QList<qsizetype> find(const FoodReference& reference, const QString& strQuery, const QString& strGroup);

// The catalog's product that already holds one of the food's names (compared as the
// reference compares names); empty when there is none.
QString inCatalog(const FoodReference::Entry& entry, const clsCatalog& objCatalog);

// The product as it goes into the catalog.
clsProduct product(const FoodReference::Entry& entry, qint16 intNorma, const QString& strUnit);

struct Choice
{
    qsizetype intEntry = -1; // position in the reference
    QString strNorma;        // as typed: a whole number of the unit, 0..32767
    QString strUnit;         // any one-line text, usually one of units()
};

struct Result
{
    int intAdded = 0;
    // Foods left out because the catalog (or an earlier choice) already has them:
    // "Рис (в каталоге: Рис)".
    QStringList skipped;
    // Added foods of which the reference knows no values.
    QStringList withoutValues;
};

// Checks every choice first and adds all of them or none. False with a Russian message
// for a norm missing or out of range, a unit missing or of more than one line, or a
// catalog with no room left; then the catalog is as it was. The products are added
// through the trip's editor as one step.
bool add(const FoodReference& reference, const QList<Choice>& choices, GlobalVariable& g, Result& result,
         QString& strError);

} // namespace CatalogFromReference
