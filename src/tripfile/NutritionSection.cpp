#include "tripfile/NutritionSection.h"

#include "model/FactsText.h"
#include "model/GlobalVariable.h"
#include "model/ProductGrams.h"
#include "tripfile/SectionLines.h"

namespace NutritionSection {

namespace {

const QString AimLabel = QStringLiteral("Калорий в сутки на участника");
const QString SizeLabel = QStringLiteral("Размер каталога");
const QString Separator(29, u'_');

// The value of a value line: everything before its first comma.
QString valueOf(SectionLines& in, const QString& strLine, const QString& strWhat)
{
    const qsizetype comma = strLine.indexOf(u',');
    if (comma < 0)
        in.fail(QStringLiteral("в строке «%1» нет запятой после значения").arg(strWhat));
    return strLine.first(comma).trimmed();
}

// A whole number 0..limit, digits only.
qint64 wholeNumber(SectionLines& in, const QString& strText, qint64 intLimit, const QString& strWhat)
{
    const std::optional<qint64> v = FactsText::parse(strText);
    if (!v || *v % 100 != 0 || *v / 100 > intLimit)
        in.fail(QStringLiteral("%1: «%2» не целое число от 0 до %3").arg(strWhat, strText).arg(intLimit));
    return *v / 100;
}

} // namespace

QString marker()
{
    return QStringLiteral("Пищевая ценность и закупка");
}

bool present(const TripData& data)
{
    return data.intEnergyAim != 0 || !data.facts.isEmpty();
}

bool check(const TripData& data, QString& strError)
{
    if (data.intEnergyAim < 0 || data.intEnergyAim > FactsText::MaxAim) {
        strError = QStringLiteral("Калорий в сутки на участника (%1) не от 0 до %2.")
                       .arg(data.intEnergyAim)
                       .arg(FactsText::MaxAim);
        return false;
    }
    if (data.facts.isEmpty())
        return true;
    if (data.facts.size() != data.products.size()) {
        strError = QStringLiteral("Пищевая ценность дана для %1 продуктов, а в каталоге их %2.")
                       .arg(data.facts.size())
                       .arg(data.products.size());
        return false;
    }
    for (qsizetype i = 0; i < data.facts.size(); ++i) {
        const ProductFacts& facts = data.facts.at(i);
        const TripProduct& p = data.products.at(i);
        for (int f = 0; f < FactsText::FieldCount; ++f) {
            const FactsText::Field field = FactsText::fieldAt(f);
            const std::optional<qint64>& v = FactsText::value(facts, field);
            if (v && !FactsText::inRange(field, *v)) {
                strError = QStringLiteral("Продукт № %1 «%2»: %3 %4 вне пределов.")
                               .arg(i + 1)
                               .arg(p.strName, FactsText::fieldName(field), FactsText::format(*v));
                return false;
            }
        }
        if (facts.gramsPerUnit && ProductGrams::isGramWord(p.strEdin)) {
            strError = QStringLiteral("Продукт № %1 «%2» измеряется в граммах: вес единицы у него не задаётся.")
                           .arg(i + 1)
                           .arg(p.strName);
            return false;
        }
    }
    return true;
}

QStringList lines(const TripData& data)
{
    const qsizetype n = data.products.size();
    QStringList out;
    out.reserve(n + 4);
    out.append(marker());
    out.append(QStringLiteral("%1,\"%2\"").arg(data.intEnergyAim).arg(AimLabel));
    out.append(QStringLiteral("%1,\"%2\"").arg(n).arg(SizeLabel));
    const ProductFacts none;
    for (qsizetype i = 0; i < n; ++i) {
        const ProductFacts& facts = i < data.facts.size() ? data.facts.at(i) : none;
        QString line = QStringLiteral("№ ") + QString::number(i + 1);
        for (int f = 0; f < FactsText::FieldCount; ++f) {
            line += u';';
            line += FactsText::format(FactsText::value(facts, FactsText::fieldAt(f)));
        }
        out.append(line);
    }
    out.append(Separator);
    return out;
}

void read(SectionLines& in, TripData& data)
{
    if (in.line() != marker())
        in.fail(QStringLiteral("нет заголовка «%1»").arg(marker()));
    const QString strAim = valueOf(in, in.line(), AimLabel);
    data.intEnergyAim = static_cast<qint32>(wholeNumber(in, strAim, FactsText::MaxAim, AimLabel));
    const QString strSize = valueOf(in, in.line(), SizeLabel);
    const qint64 n = wholeNumber(in, strSize, 32767, SizeLabel);
    if (n != data.products.size())
        in.fail(QStringLiteral("в разделе «%1» %2 продуктов, а в каталоге %3")
                    .arg(marker())
                    .arg(n)
                    .arg(data.products.size()));
    data.facts.clear();
    data.facts.reserve(n);
    for (qint64 i = 1; i <= n; ++i) {
        const QString line = in.line();
        const QStringList fields = line.split(u';');
        if (fields.size() != FactsText::FieldCount + 1)
            in.fail(QStringLiteral("у продукта нужно %1 полей через «;», а их %2")
                        .arg(FactsText::FieldCount)
                        .arg(fields.size() - 1));
        if (fields.at(0) != QStringLiteral("№ ") + QString::number(i))
            in.fail(QStringLiteral("ожидалась строка продукта № %1").arg(i));
        ProductFacts& facts = data.facts.emplaceBack();
        for (int f = 0; f < FactsText::FieldCount; ++f) {
            const FactsText::Field field = FactsText::fieldAt(f);
            const QString& strField = fields.at(f + 1);
            if (strField.isEmpty())
                continue;
            const std::optional<qint64> v = FactsText::parse(strField);
            if (!v || !FactsText::inRange(field, *v))
                in.fail(QStringLiteral("продукт № %1, %2: «%3» не число в своих пределах")
                            .arg(i)
                            .arg(FactsText::fieldName(field), strField));
            FactsText::value(facts, field) = v;
        }
        if (facts.gramsPerUnit && ProductGrams::isGramWord(data.products.at(i - 1).strEdin))
            in.fail(QStringLiteral("продукт № %1 измеряется в граммах, а вес единицы дан").arg(i));
    }
    if (in.line() != Separator)
        in.fail(QStringLiteral("раздел «%1» не закрыт чертой").arg(marker()));
}

void fromState(const GlobalVariable& g, TripData& data)
{
    data.intEnergyAim = g.intEnergyAim;
    data.facts.clear();
    bool blnAny = g.intEnergyAim != 0;
    for (int i = 1; !blnAny && i <= g.objCatalog.size(); ++i)
        blnAny = !g.objCatalog.GetProduct(i).facts.isEmpty();
    if (!blnAny)
        return;
    data.facts.reserve(g.objCatalog.size());
    for (int i = 1; i <= g.objCatalog.size(); ++i) {
        const clsProduct& p = g.objCatalog.GetProduct(i);
        ProductFacts& facts = data.facts.emplaceBack(p.facts);
        // A unit changed to grams since makes the old weight meaningless; it is not written.
        if (ProductGrams::isGramWord(p.strProductEdin))
            facts.gramsPerUnit.reset();
    }
}

void apply(const TripData& data, GlobalVariable& g)
{
    g.intEnergyAim = data.intEnergyAim;
    for (int i = 1; i <= g.objCatalog.size(); ++i)
        g.objCatalog.GetProduct(i).facts = i <= data.facts.size() ? data.facts.at(i - 1) : ProductFacts();
}

} // namespace NutritionSection
