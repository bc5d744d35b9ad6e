#include "model/FactsText.h"

#include <array>
#include <limits>

namespace FactsText {

QString fieldName(Field f)
{
    switch (f) {
    case Field::Energy:
        return QStringLiteral("энергия");
    case Field::Proteins:
        return QStringLiteral("белки");
    case Field::Fats:
        return QStringLiteral("жиры");
    case Field::Carbohydrates:
        return QStringLiteral("углеводы");
    case Field::GramsPerUnit:
        return QStringLiteral("вес единицы");
    case Field::Package:
        return QStringLiteral("упаковка");
    case Field::Price:
        return QStringLiteral("цена");
    }
    return QString();
}

QString caption(Field f)
{
    switch (f) {
    case Field::Energy:
        return QStringLiteral("ккал/100 г");
    case Field::Proteins:
        return QStringLiteral("Белки, г/100 г");
    case Field::Fats:
        return QStringLiteral("Жиры, г/100 г");
    case Field::Carbohydrates:
        return QStringLiteral("Углеводы, г/100 г");
    case Field::GramsPerUnit:
        return QStringLiteral("Вес единицы, г");
    case Field::Package:
        return QStringLiteral("Упаковка, ед.");
    case Field::Price:
        return QStringLiteral("Цена, руб.");
    }
    return QString();
}

std::optional<qint64>& value(ProductFacts& facts, Field f)
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

const std::optional<qint64>& value(const ProductFacts& facts, Field f)
{
    return value(const_cast<ProductFacts&>(facts), f);
}

bool inRange(Field f, qint64 hundredths)
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

std::optional<qint64> parse(QStringView text, bool blnComma)
{
    // Far above every range, far below overflow.
    constexpr qint64 Limit = std::numeric_limits<qint64>::max() / 1000;
    qint64 whole = 0;
    qsizetype i = 0;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        whole = whole * 10 + (text.at(i).unicode() - u'0');
        if (whole > Limit)
            return std::nullopt;
    }
    if (i == 0)
        return std::nullopt;
    qint64 cents = 0;
    if (i < text.size()) {
        const QChar point = text.at(i);
        if (point != u'.' && !(blnComma && point == u','))
            return std::nullopt;
        const qsizetype decimals = text.size() - i - 1;
        if (decimals < 1 || decimals > 2)
            return std::nullopt;
        for (qsizetype k = i + 1; k < text.size(); ++k) {
            if (text.at(k) < u'0' || text.at(k) > u'9')
                return std::nullopt;
            cents = cents * 10 + (text.at(k).unicode() - u'0');
        }
        if (decimals == 1)
            cents *= 10;
    }
    return whole * 100 + cents;
}

QString format(qint64 hundredths)
{
    const bool blnNegative = hundredths < 0;
    const quint64 u = blnNegative ? 0 - static_cast<quint64>(hundredths) : static_cast<quint64>(hundredths);
    QString s = QString::number(u / 100);
    const quint64 cents = u % 100;
    if (cents != 0) {
        s += u'.';
        s += QChar(u'0' + static_cast<char16_t>(cents / 10));
        if (cents % 10 != 0)
            s += QChar(u'0' + static_cast<char16_t>(cents % 10));
    }
    return blnNegative ? u'-' + s : s;
}

QString format(const std::optional<qint64>& hundredths)
{
    return hundredths ? format(*hundredths) : QString();
}

namespace {

QString rangeText(Field f)
{
    switch (f) {
    case Field::Energy:
        return QStringLiteral("от 0 до 1000");
    case Field::Proteins:
    case Field::Fats:
    case Field::Carbohydrates:
        return QStringLiteral("от 0 до 100");
    case Field::GramsPerUnit:
        return QStringLiteral("больше 0 и не больше 100000");
    case Field::Package:
        return QStringLiteral("больше 0 и не больше 1000000");
    case Field::Price:
        return QStringLiteral("от 0 до 1000000000");
    }
    return QString();
}

} // namespace

bool read(Field f, const QString& strText, const QString& strProduct, std::optional<qint64>& out, QString& strError)
{
    const QString strTrimmed = strText.trimmed();
    if (strTrimmed.isEmpty()) {
        out.reset();
        return true;
    }
    const std::optional<qint64> v = parse(strTrimmed, true);
    if (!v || !inRange(f, *v)) {
        strError = QStringLiteral("Продукт «%1», %2: «%3» не подходит. Нужно число %4, не больше двух знаков "
                                  "после запятой, или пустое поле.")
                       .arg(strProduct, fieldName(f), strTrimmed, rangeText(f));
        return false;
    }
    out = v;
    return true;
}

std::optional<qint32> parseAim(QStringView text)
{
    if (text.isEmpty() || text.size() > 5)
        return std::nullopt;
    qint32 v = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        v = v * 10 + (c.unicode() - u'0');
    }
    if (v > MaxAim)
        return std::nullopt;
    return v;
}

} // namespace FactsText
