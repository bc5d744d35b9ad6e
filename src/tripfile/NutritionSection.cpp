#include "tripfile/NutritionSection.h"

#include "model/Cp1251.h"
#include "model/FactsText.h"
#include "model/GlobalVariable.h"
#include "model/ProductGrams.h"
#include "tripfile/LineReader.h"
#include "tripfile/LineStart.h"
#include "tripfile/TripLines.h"

#include <QtEndian>

#include <array>
#include <charconv>
#include <cstring>
#include <utility>

namespace NutritionSection {

namespace {

const QString AimLabel = QStringLiteral("Калорий в сутки на участника");
const QString SizeLabel = QStringLiteral("Размер каталога");
constexpr int FieldCount = FactsText::FieldCount;

// The most a product line takes: "№ 32767" and seven values.
constexpr int MaxLine = 16 + FieldCount * (1 + FactsText::MaxFormatted) + 2;

// "№ i" and the value fields of a product line, as the file's bytes.
int productLine(qsizetype intPosition, const ProductFacts& facts, char* line)
{
    const QByteArray& sign = LineStart::numberSign();
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
    const QByteArray& sign = LineStart::numberSign();
    char digits[24];
    const char* const end = std::to_chars(digits, digits + sizeof digits, intPosition).ptr;
    const qsizetype n = end - digits;
    return field.size() == sign.size() + n && field.startsWith(sign) &&
           std::memcmp(field.data() + sign.size(), digits, static_cast<size_t>(n)) == 0;
}

// The value of the k (1..7) digits that begin w, as the file's bytes in memory order:
// they are moved to the top, behind zeros that read as leading zeros, and summed in
// pairs, fours and eights by multiplying (the eight-digit method of Lemire's
// "Fast float parsing in practice", 2021).
Q_ALWAYS_INLINE quint64 digitsValue(quint64 w, int k)
{
    quint64 v = w << (8 * (8 - k));
    v = ((v & 0x0F0F0F0F0F0F0F0FULL) * 2561) >> 8;
    v = ((v & 0x00FF00FF00FF00FFULL) * 6553601) >> 16;
    return ((v & 0x0000FFFF0000FFFFULL) * 42949672960001ULL) >> 32;
}

// One value field of a plain product line, from its ";" on: empty, or up to seven
// digits with a point and one or two decimals, in its range, then ";" or the CR of the
// line end. A field of its own for each of the seven, so that its range and place in
// facts are known when compiled. Reads at most twelve bytes from p; moves p to the byte
// after the field.
template <int F>
Q_ALWAYS_INLINE bool plainField(const char*& p, ProductFacts& facts)
{
    const auto isEnd = [](char c) { return c == ';' || c == '\r'; };
    if (*p != ';')
        return false;
    ++p;
    quint64 w = 0;
    std::memcpy(&w, p, 8);
    if constexpr (Q_BYTE_ORDER == Q_BIG_ENDIAN)
        w = qbswap(w);
    // A byte's high half is nonzero once it is not a digit: either it is not 0x3?, or
    // adding 6 carries out of its low half. A carry only moves into later bytes.
    const quint64 a = w ^ 0x3030303030303030ULL;
    const quint64 other = (a | (a + 0x0606060606060606ULL)) & 0xF0F0F0F0F0F0F0F0ULL;
    if (other == 0)
        return false; // eight digits or more: left to the general reading
    const int k = qCountTrailingZeroBits(other) / 8;
    if (k == 0)
        return isEnd(*p); // unknown, or not a number
    if (k > 1 && (w & 0xFF) == '0')
        return false; // a leading zero: not as written
    quint64 v = digitsValue(w, k) * 100;
    p += k;
    if (*p == '.') {
        const auto d1 = static_cast<unsigned char>(p[1] - '0');
        const auto d2 = static_cast<unsigned char>(p[2] - '0');
        if (d1 > 9)
            return false;
        const bool two = d2 <= 9;
        // A last decimal 0 is never written ("1.50", "2.0").
        if (two ? d2 == 0 : d1 == 0)
            return false;
        v += d1 * 10u + (two ? d2 : 0u);
        p += two ? 3 : 2;
    }
    constexpr FactsText::Field field = FactsText::fieldAt(F);
    if (!isEnd(*p) || !FactsText::inRange(field, qint64(v)))
        return false;
    FactsText::value(facts, field) = qint64(v);
    return true;
}

template <int... F>
Q_ALWAYS_INLINE bool plainFields(const char*& p, ProductFacts& facts, std::integer_sequence<int, F...>)
{
    return (plainField<F>(p, facts) && ...);
}

// The bytes a plain product line may read: "№ 32767", seven fields and CR LF, with
// room to spare.
constexpr qsizetype PlainRoom = 128;

// A product line as the writer puts it, "№ i", seven fields each empty or digits with
// a point and one or two decimals, every value in its range, and CR LF: read in one
// pass into facts, straight from the file's bytes, of which PlainRoom may be read from
// line on. Returns the line's length with its line end, or 0 for anything else, which
// the general reading then takes, to the same values or to its fault (facts may then
// hold some values already).
Q_ALWAYS_INLINE qsizetype plainProductLine(const char* line, const LineStart& start, ProductFacts& facts)
{
    if (!start.begins(QByteArrayView(line, PlainRoom)))
        return 0;
    const char* p = line + start.text().size() - 1; // the ";" after "№ i"
    if (!plainFields(p, facts, std::make_integer_sequence<int, FieldCount>()) || p[0] != '\r' || p[1] != '\n')
        return 0;
    return p + 2 - line;
}

// Any product line, field by field as the format defines it; fails on the first fault.
void readProductLine(LineReader& in, QByteArrayView line, qint64 i, ProductFacts& facts)
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
        char written[FactsText::MaxFormatted];
        if (!v || !FactsText::inRange(field, *v) || QByteArrayView(written, FactsText::formatTo(*v, written)) != bytes)
            in.fail(QStringLiteral("продукт № %1, %2: «%3» не число в своих пределах в том виде, как его пишет "
                                   "программа (например, 13.3)")
                        .arg(i)
                        .arg(FactsText::fieldName(field), Cp1251::text(bytes)));
        FactsText::value(facts, field) = v;
    }
}

} // namespace

QString marker()
{
    return QStringLiteral("Пищевая ценность и закупка");
}

const QByteArray& markerLine()
{
    static const QByteArray line = Cp1251::bytes(marker()) + TripLines::CrLf.toByteArray();
    return line;
}

bool present(const TripData& data)
{
    if (data.intEnergyAim != 0)
        return true;
    for (int i = 1; i <= data.catalog.size(); ++i) {
        if (!data.catalog.GetProduct(i).facts.isEmpty())
            return true;
    }
    return false;
}

bool check(const TripData& data, QString& strError)
{
    if (data.intEnergyAim < 0 || data.intEnergyAim > FactsText::MaxAim) {
        strError = QStringLiteral("Калорий в сутки на участника (%1) не от 0 до %2.")
                       .arg(data.intEnergyAim)
                       .arg(FactsText::MaxAim);
        return false;
    }
    for (int i = 1; i <= data.catalog.size(); ++i) {
        const clsProduct& p = data.catalog.GetProduct(i);
        for (int f = 0; f < FactsText::FieldCount; ++f) {
            const FactsText::Field field = FactsText::fieldAt(f);
            const FactValue& v = FactsText::value(p.facts, field);
            if (v && !FactsText::inRange(field, *v)) {
                strError = QStringLiteral("Продукт № %1 «%2»: %3 %4 вне пределов.")
                               .arg(i)
                               .arg(p.Name(), FactsText::fieldName(field), FactsText::format(*v));
                return false;
            }
        }
        if (p.facts.gramsPerUnit && ProductGrams::isGramWord(p.strProductEdin)) {
            strError = QStringLiteral("Продукт № %1 «%2» измеряется в граммах: вес единицы у него не задаётся.")
                           .arg(i)
                           .arg(p.Name());
            return false;
        }
    }
    return true;
}

void write(const TripData& data, QByteArray& out)
{
    const qsizetype n = data.catalog.size();
    const QByteArray head = Cp1251::bytes(
        marker() +
        QStringLiteral("\r\n%1,\"%2\"\r\n%3,\"%4\"\r\n").arg(data.intEnergyAim).arg(AimLabel).arg(n).arg(SizeLabel));
    out += head;
    // Lines go straight into the buffer, grown ahead of them: a product line is mostly
    // far shorter than MaxLine, so room for a typical one each is made at once.
    qsizetype at = out.size();
    for (int i = 1; i <= n; ++i) {
        if (out.size() - at < MaxLine)
            out.resize(qMax(out.size() + MaxLine, at + (n - i + 1) * 64 + MaxLine));
        at += productLine(i, data.catalog.GetProduct(i).facts, out.data() + at);
    }
    out.resize(at);
    out += TripLines::ShortRule;
    out += TripLines::CrLf;
}

void read(LineReader& in, TripData& data)
{
    in.expectLine(QByteArrayView(markerLine()).chopped(2), marker());
    data.intEnergyAim = static_cast<qint32>(in.countLine(AimLabel, FactsText::MaxAim));
    const qint64 n = in.countLine(SizeLabel, 32767);
    if (n != data.catalog.size())
        in.fail(QStringLiteral("в разделе «%1» %2 продуктов, а в каталоге %3")
                    .arg(marker())
                    .arg(n)
                    .arg(data.catalog.size()));
    LineStart start(LineStart::numberSign(), ';');
    // Products share their unit's text, so the gram word check is made once per unit.
    const QChar* unitChecked = nullptr;
    bool blnGramUnit = false;
    QByteArrayView rest = in.rest();
    qsizetype intAt = 0; // in rest
    int intPassed = 0;   // lines read here, not yet passed on to in
    for (qint64 i = 1; i <= n; ++i) {
        // The line is read on its bytes: only digits, points and ";" count in it, and
        // they are ASCII in the code page.
        clsProduct& product = data.catalog.GetProduct(static_cast<qint16>(i));
        ProductFacts& facts = product.facts;
        qsizetype intLength = 0;
        if (rest.size() - intAt >= PlainRoom) {
            intLength = plainProductLine(rest.data() + intAt, start, facts);
        } else {
            // Near the end of the file: the line is copied where PlainRoom may be read.
            const QByteArrayView tail = rest.sliced(intAt);
            const qsizetype intEnd = tail.indexOf('\n');
            if (intEnd >= 0 && intEnd + 1 <= PlainRoom) {
                char copy[PlainRoom] = {};
                std::memcpy(copy, tail.data(), static_cast<size_t>(intEnd + 1));
                intLength = plainProductLine(copy, start, facts);
            }
        }
        if (intLength > 0) {
            intAt += intLength;
            ++intPassed;
        } else {
            in.pass(intAt, intPassed);
            const QByteArrayView line = in.sectionLine();
            facts = ProductFacts();
            readProductLine(in, line, i, facts);
            rest = in.rest();
            intAt = 0;
            intPassed = 0;
        }
        start.next();
        if (facts.gramsPerUnit) {
            const QString& strEdin = product.strProductEdin;
            if (strEdin.constData() != unitChecked) {
                unitChecked = strEdin.constData();
                blnGramUnit = ProductGrams::isGramWord(strEdin);
            }
            if (blnGramUnit) {
                in.pass(intAt, intPassed);
                intAt = 0;
                intPassed = 0;
                in.fail(QStringLiteral("продукт № %1 измеряется в граммах, а вес единицы дан").arg(i));
            }
        }
    }
    in.pass(intAt, intPassed);
    if (in.sectionLine() != TripLines::ShortRule)
        in.fail(QStringLiteral("раздел «%1» не закрыт чертой").arg(marker()));
    // The writer leaves out a section with nothing in it: taken, it would be gone at the
    // next save.
    if (!present(data))
        in.fail(QStringLiteral("в разделе «%1» нет ни цели, ни значений продуктов").arg(marker()));
}

void fromState(const GlobalVariable& g, TripData& data)
{
    data.intEnergyAim = g.intEnergyAim;
    // A unit changed to grams since makes the old weight meaningless; it is not written.
    for (int i = 1; i <= data.catalog.size(); ++i) {
        clsProduct& p = data.catalog.GetProduct(i);
        if (p.facts.gramsPerUnit && ProductGrams::isGramWord(p.strProductEdin))
            p.facts.gramsPerUnit.reset();
    }
}

} // namespace NutritionSection
