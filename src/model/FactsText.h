#pragma once

#include "model/ProductFacts.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// The seven product facts as text: their names, ranges, reading and shortest writing.
// The trip file, the reference table and the nutrition window all read and write them
// here, so a value one of them takes the others take too.
namespace FactsText {

enum class Field
{
    Energy,
    Proteins,
    Fats,
    Carbohydrates,
    GramsPerUnit,
    Package,
    Price
};
constexpr int FieldCount = 7;
constexpr Field fieldAt(int i)
{
    return static_cast<Field>(i);
}

// "энергия", "белки", ...: the field as a message names it.
QString fieldName(Field f);
// The column caption of the window: "ккал/100 г", "Белки, г", ...
QString caption(Field f);

// Inline, as value() and inRange() are: the trip file takes them for every value of a
// full catalog.
inline FactValue& value(ProductFacts& facts, Field f)
{
    switch (f) {
    case Field::Energy:
        return facts.energy;
    case Field::Proteins:
        return facts.proteins;
    case Field::Fats:
        return facts.fats;
    case Field::Carbohydrates:
        return facts.carbohydrates;
    case Field::GramsPerUnit:
        return facts.gramsPerUnit;
    case Field::Package:
        return facts.package;
    case Field::Price:
        break;
    }
    return facts.price;
}
inline const FactValue& value(const ProductFacts& facts, Field f)
{
    return value(const_cast<ProductFacts&>(facts), f);
}

// Whether hundredths lie in the field's range: energy 0..1000, a nutrient 0..100,
// grams per unit and package above 0 (at most 100000 and 1000000), price 0..10^9.
constexpr bool inRange(Field f, qint64 hundredths)
{
    switch (f) {
    case Field::Energy:
        return hundredths >= 0 && hundredths <= 1000 * 100;
    case Field::Proteins:
    case Field::Fats:
    case Field::Carbohydrates:
        return hundredths >= 0 && hundredths <= 100 * 100;
    case Field::GramsPerUnit:
        return hundredths > 0 && hundredths <= 100000 * 100;
    case Field::Package:
        return hundredths > 0 && hundredths <= 1000000LL * 100;
    case Field::Price:
        return hundredths >= 0 && hundredths <= 1000000000LL * 100;
    }
    return false;
}

// A number with at most two decimals, no sign, no blanks: "13", "13.3", "0.35"; with
// blnComma a "," may stand for the point (as typed in the window). Nothing for any
// other text or a value too large to hold.
std::optional<qint64> parse(QStringView text, bool blnComma = false);
// The same on bytes, "." only: the trip file reads its numbers without making texts of
// them. A byte outside ASCII is never a digit or a point, so it is refused as its
// character would be.
std::optional<qint64> parseBytes(QByteArrayView text);

// The shortest form: "13.3", "120", "0.5".
QString format(qint64 hundredths);
QString format(const std::optional<qint64>& hundredths);
// The shortest form as ASCII into buffer, which has room for MaxFormatted; returns its
// length.
constexpr int MaxFormatted = 24;
int formatTo(qint64 hundredths, char* buffer);

// A text typed for a product's field: empty is unknown; anything else must be a number
// in range, else strError names the product and the field in Russian.
bool read(Field f, const QString& strText, const QString& strProduct, std::optional<qint64>& out, QString& strError);

// The energy aim per participant per day: whole kcal 0..20000.
constexpr qint32 MaxAim = 20000;
std::optional<qint32> parseAim(QStringView text);

} // namespace FactsText
