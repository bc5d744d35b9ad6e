#include "tripfile/NutritionSection.h"

#include "model/FactsText.h"
#include "model/GlobalVariable.h"
#include "model/ProductGrams.h"
#include "tripfile/Cp1251.h"
#include "tripfile/SectionLines.h"

#include <array>
#include <charconv>
#include <cstring>
#include <utility>

namespace NutritionSection {

namespace {

const QString AimLabel = QStringLiteral("Калорий в сутки на участника");
const QString SizeLabel = QStringLiteral("Размер каталога");
const QString Separator(29, u'_');
constexpr int FieldCount = FactsText::FieldCount;

QByteArray encoded(const QString& text)
{
    QByteArray out;
    Cp1251::encode(text, out);
    return out;
}

// "№ " as the file holds it, before a product's position.
const QByteArray& numberSign()
{
    static const QByteArray bytes = encoded(QStringLiteral("№ "));
    return bytes;
}

// The most a product line takes: "№ 32767" and seven values.
constexpr int MaxLine = 16 + FieldCount * (1 + FactsText::MaxFormatted) + 2;

// "№ i" and the value fields of a product line, as the file's bytes.
int productLine(qsizetype intPosition, const ProductFacts& facts, char* line)
{
    const QByteArray& sign = numberSign();
    std::memcpy(line, sign.constData(), static_cast<size_t>(sign.size()));
    char* p = line + sign.size();
    p = std::to_chars(p, p + 16, intPosition).ptr;
    for (int f = 0; f < FieldCount; ++f) {
        *p++ = ';';
        if (const FactValue& v = FactsText::value(facts, FactsText::fieldAt(f)))
            p += FactsText::formatTo(*v, p);
    }
    *p++ = '\r';
    *p++ = '\n';
    return static_cast<int>(p - line);
}

// Whether a product line's first field is "№ i".
bool isPosition(QByteArrayView field, qint64 intPosition)
{
    const QByteArray& sign = numberSign();
    char digits[24];
    const char* const end = std::to_chars(digits, digits + sizeof digits, intPosition).ptr;
    const qsizetype n = end - digits;
    return field.size() == sign.size() + n && field.startsWith(sign) &&
           std::memcmp(field.data() + sign.size(), digits, static_cast<size_t>(n)) == 0;
}

// One value field of a plain product line, from its ";" on: empty, or digits with a
// point and one or two decimals, in its range. A field of its own for each of the
// seven, so that its range and place in facts are known when compiled.
template <int F>
Q_ALWAYS_INLINE bool plainField(const char*& p, const char* e, ProductFacts& facts)
{
    const auto isDigit = [](char c) { return static_cast<unsigned char>(c - '0') < 10; };
    if (p == e || *p != ';')
        return false;
    ++p;
    if (p == e || *p == ';')
        return true; // unknown
    // At most twelve digits: far above every range, and nothing to overflow.
    const char* const digits = p;
    const char* const last = e - p > 12 ? p + 12 : e;
    qint64 v = 0;
    while (p != last && isDigit(*p))
        v = v * 10 + (*p++ - '0');
    if (p == digits)
        return false;
    v *= 100;
    if (p != e && *p == '.') {
        ++p;
        if (p == e || !isDigit(*p))
            return false;
        v += (*p++ - '0') * 10;
        if (p != e && isDigit(*p))
            v += *p++ - '0';
    }
    constexpr FactsText::Field field = FactsText::fieldAt(F);
    if ((p != e && *p != ';') || !FactsText::inRange(field, v))
        return false;
    FactsText::value(facts, field) = v;
    return true;
}

template <int... F>
Q_ALWAYS_INLINE bool plainFields(const char*& p, const char* e, ProductFacts& facts, std::integer_sequence<int, F...>)
{
    return (plainField<F>(p, e, facts) && ...);
}

// A product line as the writer puts it, "№ i" and seven fields, each empty or digits
// with a point and one or two decimals, every value in its range: read in one pass
// into facts. False for anything else, which the general reading then takes, to the
// same values or to its fault.
bool plainProductLine(QByteArrayView line, qint64 intPosition, QByteArrayView sign, ProductFacts& facts)
{
    const char* p = line.data();
    const char* const e = p + line.size();
    if (line.size() < sign.size() || std::memcmp(p, sign.data(), static_cast<size_t>(sign.size())) != 0)
        return false;
    p += sign.size();
    const char* const position = p;
    qint64 intRead = 0;
    while (p != e && *p >= '0' && *p <= '9' && p - position < 6)
        intRead = intRead * 10 + (*p++ - '0');
    if (p == position || *position == '0' || intRead != intPosition)
        return false;
    return plainFields(p, e, facts, std::make_integer_sequence<int, FieldCount>()) && p == e;
}

QString textOf(QByteArrayView bytes)
{
    QString out;
    Cp1251::decode(bytes, out);
    return out;
}

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

// Any product line, field by field as the format defines it; fails on the first fault.
void readProductLine(SectionLines& in, QByteArrayView line, qint64 i, ProductFacts& facts)
{
    std::array<QByteArrayView, FieldCount + 1> fields;
    qsizetype intSemicolons = 0;
    for (qsizetype start = 0;;) {
        const qsizetype semicolon = line.indexOf(';', start);
        const qsizetype end = semicolon < 0 ? line.size() : semicolon;
        if (intSemicolons <= FieldCount)
            fields[static_cast<size_t>(intSemicolons)] = line.sliced(start, end - start);
        if (semicolon < 0)
            break;
        ++intSemicolons;
        start = semicolon + 1;
    }
    if (intSemicolons != FieldCount)
        in.fail(QStringLiteral("у продукта нужно %1 полей через «;», а их %2").arg(FieldCount).arg(intSemicolons));
    if (!isPosition(fields[0], i))
        in.fail(QStringLiteral("ожидалась строка продукта № %1").arg(i));
    for (int f = 0; f < FieldCount; ++f) {
        const FactsText::Field field = FactsText::fieldAt(f);
        const QByteArrayView bytes = fields[static_cast<size_t>(f + 1)];
        if (bytes.isEmpty())
            continue;
        const std::optional<qint64> v = FactsText::parseBytes(bytes);
        if (!v || !FactsText::inRange(field, *v))
            in.fail(QStringLiteral("продукт № %1, %2: «%3» не число в своих пределах")
                        .arg(i)
                        .arg(FactsText::fieldName(field), textOf(bytes)));
        FactsText::value(facts, field) = v;
    }
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
            const FactValue& v = FactsText::value(facts, field);
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

void write(const TripData& data, QByteArray& out)
{
    const qsizetype n = data.products.size();
    const QByteArray head = encoded(
        marker() +
        QStringLiteral("\r\n%1,\"%2\"\r\n%3,\"%4\"\r\n").arg(data.intEnergyAim).arg(AimLabel).arg(n).arg(SizeLabel));
    out += head;
    // Lines go straight into the buffer, grown ahead of them: a product line is mostly
    // far shorter than MaxLine, so room for a typical one each is made at once.
    qsizetype at = out.size();
    const ProductFacts none;
    for (qsizetype i = 0; i < n; ++i) {
        if (out.size() - at < MaxLine)
            out.resize(qMax(out.size() + MaxLine, at + (n - i) * 64 + MaxLine));
        at += productLine(i + 1, i < data.facts.size() ? data.facts.at(i) : none, out.data() + at);
    }
    out.resize(at);
    out += Separator.toLatin1();
    out += "\r\n";
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
    data.facts.resize(n);
    ProductFacts* const out = data.facts.data();
    const QByteArray& sign = numberSign();
    // Products share their unit's text, so the gram word check is made once per unit.
    const QChar* unitChecked = nullptr;
    bool blnGramUnit = false;
    for (qint64 i = 1; i <= n; ++i) {
        // The line is read on its bytes: only digits, points and ";" count in it, and
        // they are ASCII in the code page.
        const QByteArrayView line = in.lineBytes();
        ProductFacts& facts = out[i - 1];
        if (!plainProductLine(line, i, sign, facts)) {
            facts = ProductFacts();
            readProductLine(in, line, i, facts);
        }
        if (facts.gramsPerUnit) {
            const QString& strEdin = data.products.at(i - 1).strEdin;
            if (strEdin.constData() != unitChecked) {
                unitChecked = strEdin.constData();
                blnGramUnit = ProductGrams::isGramWord(strEdin);
            }
            if (blnGramUnit)
                in.fail(QStringLiteral("продукт № %1 измеряется в граммах, а вес единицы дан").arg(i));
        }
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

} // namespace NutritionSection
