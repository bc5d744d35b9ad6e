#include "model/FactsText.h"

#include <algorithm>
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

namespace {

// Both parse() forms: Ch is char16_t or char, and only ASCII digits and the point count.
template <typename Ch>
std::optional<qint64> parseDigits(const Ch* text, qsizetype size, bool blnComma)
{
    // Far above every range, far below overflow.
    constexpr qint64 Limit = std::numeric_limits<qint64>::max() / 1000;
    const auto isDigit = [](Ch c) { return c >= Ch('0') && c <= Ch('9'); };
    qint64 whole = 0;
    qsizetype i = 0;
    for (; i < size && isDigit(text[i]); ++i) {
        whole = whole * 10 + (text[i] - Ch('0'));
        if (whole > Limit)
            return std::nullopt;
    }
    if (i == 0)
        return std::nullopt;
    qint64 cents = 0;
    if (i < size) {
        const Ch point = text[i];
        if (point != Ch('.') && !(blnComma && point == Ch(',')))
            return std::nullopt;
        const qsizetype decimals = size - i - 1;
        if (decimals < 1 || decimals > 2)
            return std::nullopt;
        for (qsizetype k = i + 1; k < size; ++k) {
            if (!isDigit(text[k]))
                return std::nullopt;
            cents = cents * 10 + (text[k] - Ch('0'));
        }
        if (decimals == 1)
            cents *= 10;
    }
    return whole * 100 + cents;
}

} // namespace

std::optional<qint64> parse(QStringView text, bool blnComma)
{
    return parseDigits(text.utf16(), text.size(), blnComma);
}

std::optional<qint64> parseBytes(QByteArrayView text)
{
    return parseDigits(text.data(), text.size(), false);
}

int formatTo(qint64 hundredths, char* buffer)
{
    char* p = buffer;
    const bool blnNegative = hundredths < 0;
    const quint64 u = blnNegative ? 0 - static_cast<quint64>(hundredths) : static_cast<quint64>(hundredths);
    if (blnNegative)
        *p++ = '-';
    // Whole part from the right.
    char digits[20];
    int n = 0;
    quint64 whole = u / 100;
    do {
        digits[n++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    while (n > 0)
        *p++ = digits[--n];
    const auto cents = static_cast<unsigned int>(u % 100);
    if (cents != 0) {
        *p++ = '.';
        *p++ = static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0)
            *p++ = static_cast<char>('0' + cents % 10);
    }
    return static_cast<int>(p - buffer);
}

QString format(qint64 hundredths)
{
    char buffer[MaxFormatted];
    return QString::fromLatin1(buffer, formatTo(hundredths, buffer));
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
