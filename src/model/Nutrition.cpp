#include "model/Nutrition.h"

#include "model/GlobalVariable.h"
#include "model/Meals.h"
#include "model/NameOrder.h"
#include "model/ProductGrams.h"
#include "model/RuDate.h"
#include "model/TripDays.h"

#include <vector>

namespace Nutrition {

Mark mark(double kcal, qint32 intAim)
{
    if (intAim <= 0)
        return Mark::None;
    // In whole percent, so that 115 % of 3000 is exactly 3450.
    if (kcal * 100 < 90.0 * intAim)
        return Mark::Low;
    if (kcal * 100 > 115.0 * intAim)
        return Mark::High;
    return Mark::None;
}

namespace {

bool lacksSomething(const clsProduct& p)
{
    const ProductFacts& f = p.facts;
    return !ProductGrams::gramsPerUnit(p) || !f.energy || !f.proteins || !f.fats || !f.carbohydrates;
}

// value (hundredths per 100 g) for grams (hundredths of a gram) eaten.
double share(qint64 grams, const std::optional<qint64>& value)
{
    return value ? static_cast<double>(grams) * static_cast<double>(*value) / 1000000.0 : 0.0;
}

} // namespace

Table build(const GlobalVariable& g, qint16 intCountDay)
{
    Table t;
    t.intAim = g.intEnergyAim;
    const qint16 n = g.objCatalog.size();
    // Products seen on the current day, and in the whole trip, by catalog position.
    std::vector<int> seenDay(static_cast<size_t>(n) + 1, 0);
    std::vector<bool> seenTrip(static_cast<size_t>(n) + 1, false);
    Figures sum;
    for (int d = 1; d <= intCountDay; ++d) {
        Day day;
        day.intDay = d;
        day.dtDate = TripDays::dateOfDay(g.dtDataBegin, d);
        const qint16 intMenu = g.intPeriod >= 1 ? TripDays::menuOfDay(d, g.intPeriod) : 0;
        if (intMenu >= 1 && intMenu <= g.objMenuList.size()) {
            const clsMenuOfDay& objMenu = g.objMenuList.GetMenu(intMenu);
            for (int m = 1; m <= Meals::Count; ++m) {
                const clsTrapeza* objTrapeza = objMenu.GetTrapeza(m);
                for (int k = 1; objTrapeza && k <= objTrapeza->GetCountProduct(); ++k) {
                    const qint16 intIndex = objTrapeza->GetIndexProduct(k);
                    if (intIndex < 1 || intIndex > n)
                        continue;
                    const clsProduct& p = g.objCatalog.GetProduct(intIndex);
                    if (lacksSomething(p)) {
                        if (seenDay[static_cast<size_t>(intIndex)] != d) {
                            seenDay[static_cast<size_t>(intIndex)] = d;
                            ++day.intMissing;
                            day.missing.append(intIndex);
                        }
                        if (!seenTrip[static_cast<size_t>(intIndex)]) {
                            seenTrip[static_cast<size_t>(intIndex)] = true;
                            ++t.intMissing;
                            t.missing.append(intIndex);
                        }
                    }
                    const std::optional<qint64> gpu = ProductGrams::gramsPerUnit(p);
                    if (!gpu)
                        continue;
                    // Hundredths of a gram per participant.
                    const qint64 grams = static_cast<qint64>(p.Norma()) * *gpu;
                    Figures& f = day.perPerson;
                    f.grams += static_cast<double>(grams) / 100.0;
                    f.kcal += share(grams, p.facts.energy);
                    f.proteins += share(grams, p.facts.proteins);
                    f.fats += share(grams, p.facts.fats);
                    f.carbohydrates += share(grams, p.facts.carbohydrates);
                }
            }
        }
        day.mark = mark(day.perPerson.kcal, t.intAim);
        sum.kcal += day.perPerson.kcal;
        sum.proteins += day.perPerson.proteins;
        sum.fats += day.perPerson.fats;
        sum.carbohydrates += day.perPerson.carbohydrates;
        sum.grams += day.perPerson.grams;
        t.days.append(day);
    }
    if (intCountDay > 0) {
        t.average = {sum.kcal / intCountDay, sum.proteins / intCountDay, sum.fats / intCountDay,
                     sum.carbohydrates / intCountDay, sum.grams / intCountDay};
    }
    return t;
}

QStringList lacks(const clsProduct& p)
{
    const ProductFacts& f = p.facts;
    QStringList out;
    if (!ProductGrams::gramsPerUnit(p))
        out.append(QStringLiteral("вес единицы"));
    if (!f.energy)
        out.append(QStringLiteral("ккал"));
    if (!f.proteins)
        out.append(QStringLiteral("белки"));
    if (!f.fats)
        out.append(QStringLiteral("жиры"));
    if (!f.carbohydrates)
        out.append(QStringLiteral("углеводы"));
    return out;
}

QString missingText(const clsCatalog& catalog, const QList<qint16>& positions)
{
    QList<qint16> named;
    for (qint16 p : positions) {
        if (p >= 1 && p <= catalog.size())
            named.append(p);
    }
    if (named.isEmpty())
        return {};
    NameOrder::sortByName(catalog, named);
    QString text = QStringLiteral("Без данных:");
    for (qsizetype i = 0; i < named.size() && i < MaxNamed; ++i) {
        const clsProduct& p = catalog.GetProduct(named.at(i));
        text += QStringLiteral("\n%1 — нет: %2").arg(p.Name(), lacks(p).join(QStringLiteral(", ")));
    }
    if (named.size() > MaxNamed)
        text += QStringLiteral("\nи ещё продуктов: %1").arg(named.size() - MaxNamed);
    return text;
}

QString kcalText(double v)
{
    return QString::asprintf("%.0f", v);
}

QString nutrientText(double v)
{
    return QString::asprintf("%.1f", v);
}

QString gramsText(double v)
{
    return QString::asprintf("%.0f", v);
}

namespace {

QStringList figureCells(const Figures& f)
{
    return {kcalText(f.kcal), nutrientText(f.proteins), nutrientText(f.fats), nutrientText(f.carbohydrates),
            gramsText(f.grams)};
}

} // namespace

QList<QStringList> rows(const Table& t)
{
    QList<QStringList> out;
    out.reserve(t.days.size() + 1);
    for (const Day& day : t.days) {
        out.append(QStringList{QString::number(day.intDay), RuDate::shortDate(day.dtDate)} +
                   figureCells(day.perPerson) + QStringList{QString::number(day.intMissing)});
    }
    out.append(QStringList{QStringLiteral("в среднем"), QString()} + figureCells(t.average) +
               QStringList{QString::number(t.intMissing)});
    return out;
}

} // namespace Nutrition
