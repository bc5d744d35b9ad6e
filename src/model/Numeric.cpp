#include "model/Numeric.h"

#include "model/ModelErrors.h"

#include <QString>
#include <cmath>
#include <limits>

namespace Numeric {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Characters with blanks taken out, which is how the reading treats them.
QString withoutBlanks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (!isBlank(c))
            out.append(c);
    }
    return out;
}

double readRadix(const QString& s, qsizetype pos, int radix)
{
    // &H and &O give 16-bit values as the original Basic rules do: up to FFFF a
    // hexadecimal constant is a signed 16-bit pattern, beyond that a 32-bit one.
    quint64 value = 0;
    qsizetype digits = 0;
    for (; pos < s.size(); ++pos) {
        const int d = QChar(s.at(pos)).digitValue();
        const char16_t u = s.at(pos).unicode();
        int v = -1;
        if (u < 128) {
            if (d >= 0 && d < radix)
                v = d;
            else if (radix == 16 && ((u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')))
                v = (u | 0x20) - u'a' + 10;
        }
        if (v < 0)
            break;
        value = value * static_cast<quint64>(radix) + static_cast<quint64>(v);
        ++digits;
        if (value > 0xFFFFFFFFull)
            throw OverflowError("number too large");
    }
    if (digits == 0)
        return 0;
    if (value <= 0xFFFF)
        return static_cast<double>(static_cast<qint16>(static_cast<quint16>(value)));
    return static_cast<double>(static_cast<qint32>(static_cast<quint32>(value)));
}

} // namespace

namespace {

// A whole number of up to 15 digits with nothing after it that could go on as a number
// (all that a trip file or a typed norm usually holds), read without the general parser:
// the same value, much sooner. False leaves the text to the general reading.
bool plainWholeNumber(QStringView text, double& value)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && isBlank(text.at(i)))
        ++i;
    bool bNegative = false;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
        bNegative = text.at(i) == u'-';
        ++i;
    }
    qint64 v = 0;
    int digits = 0;
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= u'0' && c <= u'9') {
            if (++digits > 15)
                return false;
            v = v * 10 + (c - u'0');
        } else if (!isBlank(QChar(c))) {
            // A fraction, an exponent or a radix prefix is for the general reading.
            const char16_t k = c | 0x20;
            if (c == u'.' || c == u'&' || (digits > 0 && (k == u'e' || k == u'd')))
                return false;
            break;
        }
    }
    if (digits == 0)
        value = 0;
    else
        value = bNegative ? -static_cast<double>(v) : static_cast<double>(v);
    return true;
}

} // namespace

double leadingNumber(QStringView text)
{
    double plain = 0;
    if (plainWholeNumber(text, plain))
        return plain;
    const QString s = withoutBlanks(text);
    qsizetype pos = 0;
    if (s.size() >= 2 && s.at(0) == u'&') {
        const char16_t k = s.at(1).unicode() | 0x20;
        if (k == u'h')
            return readRadix(s, 2, 16);
        if (k == u'o')
            return readRadix(s, 2, 8);
        // "&" followed by octal digits is octal too.
        if (s.at(1) >= u'0' && s.at(1) <= u'7')
            return readRadix(s, 1, 8);
        return 0;
    }

    QByteArray ascii;
    auto isDigit = [&](qsizetype i) { return i < s.size() && s.at(i) >= u'0' && s.at(i) <= u'9'; };
    if (pos < s.size() && (s.at(pos) == u'+' || s.at(pos) == u'-'))
        ascii.append(static_cast<char>(s.at(pos++).unicode()));
    qsizetype mantissaDigits = 0;
    while (isDigit(pos)) {
        ascii.append(static_cast<char>(s.at(pos++).unicode()));
        ++mantissaDigits;
    }
    if (pos < s.size() && s.at(pos) == u'.') {
        ascii.append('.');
        ++pos;
        while (isDigit(pos)) {
            ascii.append(static_cast<char>(s.at(pos++).unicode()));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    if (pos < s.size()) {
        const char16_t e = s.at(pos).unicode() | 0x20;
        if (e == u'e' || e == u'd') {
            qsizetype p = pos + 1;
            QByteArray exp("e");
            if (p < s.size() && (s.at(p) == u'+' || s.at(p) == u'-'))
                exp.append(static_cast<char>(s.at(p++).unicode()));
            if (isDigit(p)) {
                while (isDigit(p))
                    exp.append(static_cast<char>(s.at(p++).unicode()));
                ascii.append(exp);
            }
        }
    }
    bool ok = false;
    const double value = ascii.toDouble(&ok);
    if (!ok) {
        // The text was built to be a valid number, so it is out of range: too small is 0.
        if (ascii.contains("e-"))
            return 0;
        throw OverflowError("number too large");
    }
    return value;
}

qint64 roundHalfEven(double value)
{
    if (std::isnan(value) || value >= 9.2e18 || value <= -9.2e18)
        throw OverflowError("number too large");
    const double r = std::nearbyint(value); // the default rounding mode rounds ties to even
    return static_cast<qint64>(r);
}

qint16 toInt16(qint64 value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw OverflowError("number outside the 16-bit range");
    return static_cast<qint16>(value);
}

qint16 roundToInt16(double value)
{
    return toInt16(roundHalfEven(value));
}

qint16 textToInt16(QStringView text)
{
    return roundToInt16(leadingNumber(text));
}

} // namespace Numeric
