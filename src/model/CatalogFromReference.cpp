#include "model/CatalogFromReference.h"

#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/ProductGrams.h"
#include "model/clsCatalog.h"

#include <QSet>

#include <algorithm>

namespace {

const QString Grams = QStringLiteral("гр");

// The reference's units that a group counts in: a piece, a packet. A litre or a cup is a
// measure of a food bought by weight, so such a food stays in grams.
bool isPieceUnit(const QString& strUnit)
{
    const QString s = strUnit.trimmed().toLower();
    return s == QStringLiteral("шт") || s == QStringLiteral("шт.") || s == QStringLiteral("пак") ||
           s == QStringLiteral("пак.");
}

// A whole number 0..32767 and nothing else; a longer number is refused, never wrapped.
std::optional<qint16> readNorm(const QString& strText)
{
    const QString s = strText.trimmed();
    if (s.isEmpty() || s.size() > 12)
        return std::nullopt;
    for (const QChar c : s) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool blnOk = false;
    const qint64 v = s.toLongLong(&blnOk);
    if (!blnOk || v > clsCatalog::MaxSize)
        return std::nullopt;
    return static_cast<qint16>(v);
}

} // namespace

namespace CatalogFromReference {

QString defaultUnit(const FoodReference::Entry& entry)
{
    return isPieceUnit(entry.strUnit) ? entry.strUnit.trimmed() : Grams;
}

QStringList units(const FoodReference::Entry& entry)
{
    QStringList list{Grams};
    if (!entry.strUnit.trimmed().isEmpty() && !ProductGrams::isGramWord(entry.strUnit.trimmed()))
        list.append(entry.strUnit.trimmed());
    return list;
}

QString normText(const FoodReference::Entry& entry, const QString& strUnit)
{
    if (!entry.norm || !ProductGrams::isGramWord(strUnit))
        return QString();
    return QString::number(*entry.norm);
}

QList<qsizetype> find(const FoodReference& reference, const QString& strQuery, const QString& strGroup)
{
    QList<qsizetype> found = reference.search(strQuery, strGroup);
    const QString strKey = FoodReference::key(strQuery);
    if (strKey.isEmpty())
        return found;
    // How close the nearest name comes, then how short it is: "греч" finds "Гречка" first.
    const auto rank = [&](qsizetype intEntry) {
        std::pair<int, qsizetype> best{3, 0};
        for (const QString& strName : reference.entries().at(intEntry).names) {
            const QString k = FoodReference::key(strName);
            const int intHow = k == strKey ? 0 : k.startsWith(strKey) ? 1 : k.contains(u' ' + strKey) ? 2 : 3;
            const std::pair<int, qsizetype> here{intHow, intHow < 3 ? k.size() : 0};
            if (here < best)
                best = here;
        }
        return best;
    };
    QList<std::pair<std::pair<int, qsizetype>, qsizetype>> ranked;
    ranked.reserve(found.size());
    for (const qsizetype i : found)
        ranked.append({rank(i), i});
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (qsizetype i = 0; i < ranked.size(); ++i)
        found[i] = ranked.at(i).second;
    return found;
}

QString inCatalog(const FoodReference::Entry& entry, const clsCatalog& objCatalog)
{
    QSet<QString> keys;
    for (const QString& strName : entry.names)
        keys.insert(FoodReference::key(strName));
    for (int i = 1; i <= objCatalog.size(); ++i) {
        const QString& strName = objCatalog.GetProduct(static_cast<qint16>(i)).Name();
        if (keys.contains(FoodReference::key(strName)))
            return strName;
    }
    return QString();
}

clsProduct product(const FoodReference::Entry& entry, qint16 intNorma, const QString& strUnit)
{
    clsProduct p;
    p.setName(entry.names.value(0));
    p.setNorma(intNorma);
    p.strProductEdin = strUnit;
    p.facts.energy = entry.facts.energy;
    p.facts.proteins = entry.facts.proteins;
    p.facts.fats = entry.facts.fats;
    p.facts.carbohydrates = entry.facts.carbohydrates;
    if (ProductGrams::isGramWord(strUnit)) {
        // The reference's packages are in grams, the typical one first.
        if (!entry.packages.isEmpty())
            p.facts.package = entry.packages.first();
    } else if (FoodReference::key(strUnit) == FoodReference::key(entry.strUnit)) {
        p.facts.gramsPerUnit = entry.facts.gramsPerUnit;
    } else if (const QString k = FoodReference::key(strUnit); k == QStringLiteral("кг") || k == QStringLiteral("кг.")) {
        p.facts.gramsPerUnit = 1000 * 100;
    }
    return p;
}

bool add(const FoodReference& reference, const QList<Choice>& choices, GlobalVariable& g, Result& result,
         QString& strError)
{
    const clsCatalog& objCatalog = g.objCatalog;
    result = Result();
    QList<clsProduct> products;
    QStringList missing;
    QStringList refused;
    // Names taken by the catalog or by an earlier choice, so neither is doubled.
    QHash<QString, QString> taken;
    for (int i = 1; i <= objCatalog.size(); ++i) {
        const QString& strName = objCatalog.GetProduct(static_cast<qint16>(i)).Name();
        taken.insert(FoodReference::key(strName), strName);
    }
    for (const Choice& choice : choices) {
        if (choice.intEntry < 0 || choice.intEntry >= reference.entries().size()) {
            strError = QStringLiteral("Выбранного продукта нет в справочнике.");
            return false;
        }
        const FoodReference::Entry& entry = reference.entries().at(choice.intEntry);
        const QString strName = entry.names.value(0);
        QString strHeld;
        for (const QString& strOther : entry.names) {
            strHeld = taken.value(FoodReference::key(strOther));
            if (!strHeld.isEmpty())
                break;
        }
        if (!strHeld.isEmpty()) {
            result.skipped.append(QStringLiteral("%1 (в каталоге: %2)").arg(strName, strHeld));
            continue;
        }
        const QString strUnit = choice.strUnit.trimmed();
        if (strUnit.isEmpty() || strUnit.contains(u'\n') || strUnit.contains(u'\r')) {
            refused.append(QStringLiteral("%1: единица должна быть одной непустой строкой, например %2")
                               .arg(strName, units(entry).join(QStringLiteral(" или "))));
            continue;
        }
        // A unit typed as offered is written as offered: "ГР" is the catalog's "гр".
        QString strKnown = strUnit;
        for (const QString& strOffered : units(entry)) {
            if (FoodReference::key(strOffered) == FoodReference::key(strUnit))
                strKnown = strOffered;
        }
        const std::optional<qint16> norm = readNorm(choice.strNorma);
        if (choice.strNorma.trimmed().isEmpty()) {
            missing.append(strName);
            continue;
        }
        if (!norm) {
            refused.append(QStringLiteral("%1: норма «%2» не целое число от 0 до %3")
                               .arg(strName, choice.strNorma.trimmed())
                               .arg(clsCatalog::MaxSize));
            continue;
        }
        for (const QString& strOther : entry.names)
            taken.insert(FoodReference::key(strOther), strName);
        products.append(product(entry, *norm, strKnown));
    }
    if (!missing.isEmpty() || !refused.isEmpty()) {
        QStringList parts;
        if (!missing.isEmpty())
            parts.append(QStringLiteral("Укажите норму на участника: %1.").arg(missing.join(QStringLiteral(", "))));
        if (!refused.isEmpty())
            parts.append(refused.join(QStringLiteral(";\n")) + u'.');
        strError = parts.join(u'\n') + QStringLiteral("\nНичего не добавлено.");
        result = Result();
        return false;
    }
    if (objCatalog.size() + products.size() > clsCatalog::MaxSize) {
        strError = QStringLiteral("В каталоге место ещё для %1 продуктов, а выбрано %2: в нём не может быть больше "
                                  "%3 продуктов. Ничего не добавлено.")
                       .arg(clsCatalog::MaxSize - objCatalog.size())
                       .arg(products.size())
                       .arg(clsCatalog::MaxSize);
        result = Result();
        return false;
    }
    for (const clsProduct& p : products) {
        if (p.facts.energy == std::nullopt && p.facts.proteins == std::nullopt && p.facts.fats == std::nullopt &&
            p.facts.carbohydrates == std::nullopt)
            result.withoutValues.append(p.Name());
    }
    result.intAdded = static_cast<int>(products.size());
    g.edits.appendProducts(
        products, products.size() == 1 ? QStringLiteral("добавление «%1» из справочника").arg(products.first().Name())
                                       : QStringLiteral("добавление %1 продуктов из справочника").arg(products.size()));
    return true;
}

} // namespace CatalogFromReference
