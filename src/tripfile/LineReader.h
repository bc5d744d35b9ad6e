#pragma once

#include "model/Cp1251.h"
#include "model/ModelErrors.h"
#include "model/Numeric.h"
#include "tripfile/LineStart.h"
#include "tripfile/TripLines.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringView>
#include <QtAlgorithms>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace LineReading {

// A fault in the file; caught at the top of read() and never let out.
struct ReadFault
{
    int intLine;
    QString strWhat;
};

inline bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

inline QStringView trimBlanks(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s.at(b)))
        ++b;
    while (e > b && isBlank(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

// An optional sign, digits and an optional "." with more digits: the whole of a count,
// position or value, nothing else.
inline bool isPlainNumber(QStringView s)
{
    qsizetype i = 0;
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    qsizetype digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digits > 0;
}

inline int digitsAt(QStringView s, qsizetype pos, qsizetype count)
{
    int value = 0;
    for (qsizetype i = pos; i < pos + count; ++i) {
        if (s.at(i) < u'0' || s.at(i) > u'9')
            return -1;
        value = value * 10 + (s.at(i).unicode() - u'0');
    }
    return value;
}

// The first position from pos on that holds a byte up to CR (LF, CR or another control
// character), or size. Lines are found by this, sixteen bytes at a time where it can.
Q_ALWAYS_INLINE qsizetype skipOrdinary(const char* data, qsizetype pos, qsizetype size)
{
#if defined(__SSE2__)
    const __m128i last = _mm_set1_epi8('\r');
    for (; pos + 16 <= size; pos += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
        // Unsigned: min(b, CR) == b exactly for b <= CR.
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(v, last), v));
        if (mask != 0)
            return pos + qCountTrailingZeroBits(static_cast<quint32>(mask));
    }
#endif
    const auto* bytes = reinterpret_cast<const quint8*>(data);
    while (pos < size && bytes[pos] > quint8('\r'))
        ++pos;
    return pos;
}

// A line that is only a whole number in the 16-bit range, as the file's writer puts
// them (" 25 "): blanks, an optional sign, digits, blanks. Read here without making a
// text of it; anything else (and any value outside 16 bits) is left to the general
// reading, which gives the same value or the same fault.
Q_ALWAYS_INLINE bool plainInt16(QByteArrayView line, qint16& value)
{
    const char* p = line.data();
    const char* const e = p + line.size();
    while (p != e && (*p == ' ' || *p == '\t'))
        ++p;
    const bool bNegative = p != e && *p == '-';
    if (p != e && (*p == '-' || *p == '+'))
        ++p;
    const char* const digits = p;
    int v = 0;
    while (p != e && *p >= '0' && *p <= '9' && p - digits < 5)
        v = v * 10 + (*p++ - '0');
    if (p == digits || (p != e && *p >= '0' && *p <= '9'))
        return false; // no digits, or more than five
    while (p != e && (*p == ' ' || *p == '\t'))
        ++p;
    if (p != e)
        return false;
    if (bNegative)
        v = -v;
    if (v < -32768 || v > 32767)
        return false;
    value = static_cast<qint16>(v);
    return true;
}

} // namespace LineReading

// Reads the file line by line on its bytes. The code page keeps ASCII as it is and
// gives every other character a byte of its own, so line ends, quotes, commas, digits
// and blanks are found in the bytes, and only what is kept (names, units, the
// description) is turned into text.
class LineReader
{
public:
    explicit LineReader(const QByteArray& bytes)
        : m_data(bytes.constData())
        , m_size(bytes.size())
    {
    }

    // The next whole line without its line end. A line ends with LF (a CR before it is
    // dropped) or with the end of the file; a file with no line left fails here. A CR
    // elsewhere is refused: other readers of the format take it for a line end, so the
    // lines after it are in doubt. The view lasts as long as the file's bytes.
    Q_ALWAYS_INLINE QByteArrayView lineBytes()
    {
        if (m_pos >= m_size)
            fail(QStringLiteral("файл кончился раньше времени"), m_line + 1);
        qsizetype end = m_pos;
        qsizetype cr = -1; // the first CR in the line
        for (;;) {
            end = LineReading::skipOrdinary(m_data, end, m_size);
            if (end >= m_size)
                break; // the last line, without its line end
            if (m_data[end] == '\n')
                break;
            if (m_data[end] == '\r' && cr < 0) {
                cr = end;
                // The usual line end, CR LF, at once.
                if (end + 1 < m_size && m_data[end + 1] == '\n') {
                    ++end;
                    break;
                }
            }
            ++end;
        }
        qsizetype stop = end;
        if (cr == end - 1)
            --stop;
        const QByteArrayView out(m_data + m_pos, stop - m_pos);
        // A last line without its line end leaves the reader at the end, not past it.
        m_pos = end < m_size ? end + 1 : m_size;
        ++m_line;
        if (cr >= 0 && cr < stop)
            fail(QStringLiteral("в строке лишний символ возврата каретки"));
        return out;
    }

    QString line() { return Cp1251::text(lineBytes()); }

    // A line of the sections after the ration, which the program alone writes: it ends
    // with CR LF as written, or is the file's last line.
    QByteArrayView sectionLine()
    {
        const QByteArrayView out = lineBytes();
        const char* const end = out.data() + out.size();
        if (end != m_data + m_size && *end != '\r')
            fail(QStringLiteral("строка кончается не CR LF"));
        return out;
    }

    // The next section line, which must be exactly this one.
    void expectLine(QByteArrayView bytes, const QString& strWhat)
    {
        if (sectionLine() != bytes)
            fail(QStringLiteral("ожидалась строка «%1»").arg(strWhat));
    }

    // A section's value line as written: a whole number 0..intLimit in its shortest
    // form, a comma and the quoted label, nothing else.
    qint64 countLine(const QString& strLabel, qint64 intLimit)
    {
        const QByteArrayView s = sectionLine();
        const qsizetype comma = s.indexOf(',');
        const QByteArrayView digits = comma < 0 ? s : s.first(comma);
        qint64 v = 0;
        bool ok = !digits.isEmpty() && digits.size() <= 18 && (digits.size() == 1 || digits[0] != '0');
        for (qsizetype i = 0; ok && i < digits.size(); ++i) {
            ok = digits[i] >= '0' && digits[i] <= '9';
            v = v * 10 + (digits[i] - '0');
        }
        if (!ok || v > intLimit)
            fail(QStringLiteral("%1: «%2» не целое число от 0 до %3 в записи программы")
                     .arg(strLabel, Cp1251::text(digits))
                     .arg(intLimit));
        if (comma < 0 || s.sliced(comma + 1) != Cp1251::bytes(QLatin1Char('"') + strLabel + QLatin1Char('"')))
            fail(QStringLiteral("после числа нужна подпись «\"%1\"»").arg(strLabel));
        return v;
    }

    bool atEnd() const { return m_pos >= m_size; }

    void skip(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            lineBytes();
    }

    // A quoted text value that may run over several lines; "" inside stands for one quote.
    // The rest of its last line (a comma and the label) is skipped.
    QString quotedValue(const QString& strWhat)
    {
        const int intFirstLine = m_line + 1;
        const QByteArrayView all(m_data, m_size);
        qsizetype pos = m_pos;
        while (pos < m_size && LineReading::isBlank(QLatin1Char(m_data[pos])))
            ++pos;
        if (pos >= m_size || m_data[pos] != '"')
            fail(QStringLiteral("%1 должно начинаться с кавычки").arg(strWhat), intFirstLine);
        ++pos;
        QByteArray raw;
        for (;;) {
            const qsizetype quote = all.indexOf('"', pos);
            if (quote < 0)
                fail(QStringLiteral("%1 не закрыто кавычкой").arg(strWhat), intFirstLine);
            raw += all.sliced(pos, quote - pos);
            pos = quote + 1;
            if (pos < m_size && m_data[pos] == '"') {
                raw += '"';
                ++pos;
                continue;
            }
            break;
        }
        m_line += static_cast<int>(std::count(m_data + m_pos, m_data + pos, '\n'));
        m_pos = pos;
        const QString rest = Cp1251::text(lineBytes());
        if (!LineReading::trimBlanks(rest).startsWith(u','))
            fail(QStringLiteral("после значения «%1» нет запятой").arg(strWhat));
        QString value = Cp1251::text(raw);
        value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        value.replace(u'\r', u'\n');
        return value;
    }

    // The value part of a value line: everything before its first comma, blanks trimmed.
    QString value(const QString& strWhat)
    {
        const QByteArrayView s = lineBytes();
        const qsizetype comma = s.indexOf(',');
        if (comma < 0)
            fail(QStringLiteral("в строке «%1» нет запятой после значения").arg(strWhat));
        return LineReading::trimBlanks(Cp1251::text(s.first(comma))).toString();
    }

    qint16 number(QByteArrayView line, const QString& strWhat)
    {
        qint16 value = 0;
        if (LineReading::plainInt16(line, value))
            return value;
        return Cp1251::withText<64>(line, [&](QStringView text) { return number(text, strWhat); });
    }

    qint16 number(QStringView text, const QString& strWhat)
    {
        const QStringView s = LineReading::trimBlanks(text);
        if (!LineReading::isPlainNumber(s))
            fail(QStringLiteral("%1: «%2» не число").arg(strWhat, s.toString()));
        try {
            return Numeric::textToInt16(s);
        } catch (const ModelError&) {
            fail(QStringLiteral("%1: %2 вне пределов −32768…32767").arg(strWhat, s.toString()));
        }
    }

    qint16 count(QStringView text, const QString& strWhat)
    {
        const qint16 n = number(text, strWhat);
        if (n < 0)
            fail(QStringLiteral("%1 меньше нуля").arg(strWhat));
        return n;
    }

    QDate date(const QString& strWhat)
    {
        const QString s = value(strWhat);
        // #yyyy-mm-dd#
        if (s.size() == 12 && s.at(0) == u'#' && s.at(11) == u'#' && s.at(5) == u'-' && s.at(8) == u'-') {
            const int y = LineReading::digitsAt(s, 1, 4);
            const int m = LineReading::digitsAt(s, 6, 2);
            const int d = LineReading::digitsAt(s, 9, 2);
            const QDate dt(y, m, d);
            if (y >= 1 && dt.isValid())
                return dt;
        }
        fail(QStringLiteral("%1: «%2» не дата вида #гггг-мм-дд#").arg(strWhat, s));
    }

    bool flag(const QString& strWhat)
    {
        const QString s = value(strWhat);
        if (s.compare(QStringLiteral("#TRUE#"), Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(QStringLiteral("#FALSE#"), Qt::CaseInsensitive) == 0)
            return false;
        fail(QStringLiteral("%1: «%2» не #TRUE# и не #FALSE#").arg(strWhat, s));
    }

    // One catalog product as the writer puts it, five lines each ending with CR LF: "№ i"
    // (as head says, its CR included), the name, the norm as LineReading::plainInt16() takes it, the
    // unit and the separator. Read in one pass, the reader then past it; false, having
    // read nothing, for anything else, which is then read line by line.
    Q_ALWAYS_INLINE bool plainProduct(const LineStart& head, QByteArrayView& name, qint16& intNorma,
                                      QByteArrayView& unit)
    {
        const qsizetype headSize = head.text().size();
        if (m_size - m_pos < headSize + 1 || !head.begins(rest()) || m_data[m_pos + headSize] != '\n')
            return false;
        // The end of the line from at on, after CR LF; 0 when it ends otherwise.
        const auto lineEnd = [this](qsizetype at) -> qsizetype {
            const qsizetype cr = LineReading::skipOrdinary(m_data, at, m_size);
            return cr + 1 < m_size && m_data[cr] == '\r' && m_data[cr + 1] == '\n' ? cr : 0;
        };
        const qsizetype nameAt = m_pos + headSize + 1;
        const qsizetype nameEnd = lineEnd(nameAt);
        if (nameEnd == 0)
            return false;
        const qsizetype normaAt = nameEnd + 2;
        const qsizetype normaEnd = lineEnd(normaAt);
        if (normaEnd == 0 || !LineReading::plainInt16(QByteArrayView(m_data + normaAt, normaEnd - normaAt), intNorma))
            return false;
        const qsizetype unitAt = normaEnd + 2;
        const qsizetype unitEnd = lineEnd(unitAt);
        if (unitEnd == 0)
            return false;
        const qsizetype separatorAt = unitEnd + 2;
        if (m_size - separatorAt < TripLines::ShortRule.size() + 2 ||
            std::memcmp(m_data + separatorAt, TripLines::ShortRule.data(), size_t(TripLines::ShortRule.size())) != 0 ||
            m_data[separatorAt + TripLines::ShortRule.size()] != '\r' ||
            m_data[separatorAt + TripLines::ShortRule.size() + 1] != '\n')
            return false;
        name = QByteArrayView(m_data + nameAt, nameEnd - nameAt);
        unit = QByteArrayView(m_data + unitAt, unitEnd - unitAt);
        m_pos = separatorAt + TripLines::ShortRule.size() + 2;
        m_line += 5;
        return true;
    }

    // The bytes not read yet, and how many lines were.
    QByteArrayView rest() const { return QByteArrayView(m_data + m_pos, m_size - m_pos); }
    // Steps over whole lines that were read on the bytes of rest().
    void pass(qsizetype intBytes, int intLines)
    {
        Q_ASSERT(intBytes >= 0 && intBytes <= m_size - m_pos);
        m_pos += intBytes;
        m_line += intLines;
    }
    int linesRead() const { return m_line; }

    [[noreturn]] void fail(const QString& strWhat, int intLine = 0) const
    {
        throw LineReading::ReadFault{intLine > 0 ? intLine : m_line, strWhat};
    }

private:
    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    int m_line = 0; // lines read so far
};
