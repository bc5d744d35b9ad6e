#include "tripfile/TripFile.h"

#include "model/ModelErrors.h"
#include "model/Numeric.h"
#include "model/clsCatalog.h"
#include "platform/RegularFile.h"
#include "platform/SystemError.h"
#include "tripfile/Cp1251.h"
#include "tripfile/LineStart.h"
#include "tripfile/NutritionSection.h"
#include "tripfile/ParticipantsSection.h"
#include "tripfile/SectionLines.h"

#include <QFile>
#include <QtAlgorithms>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace TripFile {

namespace {

// The line after each product, as the writer puts it.
constexpr QByteArrayView Separator = "_____________________________";

// A fault in the file; caught at the top of read() and never let out.
struct ReadFault
{
    int intLine;
    QString strWhat;
};

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView s)
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
bool isPlainNumber(QStringView s)
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

int digitsAt(QStringView s, qsizetype pos, qsizetype count)
{
    int value = 0;
    for (qsizetype i = pos; i < pos + count; ++i) {
        if (s.at(i) < u'0' || s.at(i) > u'9')
            return -1;
        value = value * 10 + (s.at(i).unicode() - u'0');
    }
    return value;
}

// The text of bytes of the file, which as a whole is known to be in the code page.
QString textOf(QByteArrayView bytes)
{
    QString out;
    Cp1251::decode(bytes, out);
    return out;
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

// Reads the file line by line on its bytes. The code page keeps ASCII as it is and
// gives every other character a byte of its own, so line ends, quotes, commas, digits
// and blanks are found in the bytes, and only what is kept (names, units, the
// description) is turned into text.
class Reader
{
public:
    explicit Reader(const QByteArray& bytes)
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
            end = skipOrdinary(m_data, end, m_size);
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

    QString line() { return textOf(lineBytes()); }

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
        while (pos < m_size && isBlank(QLatin1Char(m_data[pos])))
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
        const QString rest = textOf(lineBytes());
        if (!trimBlanks(rest).startsWith(u','))
            fail(QStringLiteral("после значения «%1» нет запятой").arg(strWhat));
        QString value = textOf(raw);
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
        return trimBlanks(textOf(s.first(comma))).toString();
    }

    qint16 number(QByteArrayView line, const QString& strWhat)
    {
        qint16 value = 0;
        if (plainInt16(line, value))
            return value;
        return Cp1251::withText<64>(line, [&](QStringView text) { return number(text, strWhat); });
    }

    qint16 number(QStringView text, const QString& strWhat)
    {
        const QStringView s = trimBlanks(text);
        if (!isPlainNumber(s))
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
            const int y = digitsAt(s, 1, 4);
            const int m = digitsAt(s, 6, 2);
            const int d = digitsAt(s, 9, 2);
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

    // Whether the next line is exactly this text, without reading it; false at the end.
    bool nextLineIs(QByteArrayView text) const
    {
        const QByteArrayView rest(m_data + m_pos, m_size - m_pos);
        if (!rest.startsWith(text))
            return false;
        const QByteArrayView end = rest.sliced(text.size());
        return end.startsWith("\r\n") || end.startsWith("\n");
    }

    void requireEnd() const
    {
        if (m_pos < m_size)
            fail(QStringLiteral("после последнего раздела файла есть ещё строки"), m_line + 1);
    }

    // One catalog product as the writer puts it, five lines each ending with CR LF: "№ i"
    // (as head says, its CR included), the name, the norm as plainInt16() takes it, the
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
            const qsizetype cr = skipOrdinary(m_data, at, m_size);
            return cr + 1 < m_size && m_data[cr] == '\r' && m_data[cr + 1] == '\n' ? cr : 0;
        };
        const qsizetype nameAt = m_pos + headSize + 1;
        const qsizetype nameEnd = lineEnd(nameAt);
        if (nameEnd == 0)
            return false;
        const qsizetype normaAt = nameEnd + 2;
        const qsizetype normaEnd = lineEnd(normaAt);
        if (normaEnd == 0 || !plainInt16(QByteArrayView(m_data + normaAt, normaEnd - normaAt), intNorma))
            return false;
        const qsizetype unitAt = normaEnd + 2;
        const qsizetype unitEnd = lineEnd(unitAt);
        if (unitEnd == 0)
            return false;
        const qsizetype separatorAt = unitEnd + 2;
        if (m_size - separatorAt < Separator.size() + 2 ||
            std::memcmp(m_data + separatorAt, Separator.data(), size_t(Separator.size())) != 0 ||
            m_data[separatorAt + Separator.size()] != '\r' || m_data[separatorAt + Separator.size() + 1] != '\n')
            return false;
        name = QByteArrayView(m_data + nameAt, nameEnd - nameAt);
        unit = QByteArrayView(m_data + unitAt, unitEnd - unitAt);
        m_pos = separatorAt + Separator.size() + 2;
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
        throw ReadFault{intLine > 0 ? intLine : m_line, strWhat};
    }

private:
    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    int m_line = 0; // lines read so far
};

// The reader as the trailing sections see it.
class ReaderLines final : public SectionLines
{
public:
    explicit ReaderLines(Reader& r)
        : m_r(r)
    {
    }
    QString line() override { return m_r.line(); }
    QByteArrayView lineBytes() override { return m_r.lineBytes(); }
    QByteArrayView rest() override { return m_r.rest(); }
    void pass(qsizetype intBytes, int intLines) override { m_r.pass(intBytes, intLines); }
    [[noreturn]] void fail(const QString& strWhat) override { m_r.fail(strWhat); }

private:
    Reader& m_r;
};

// The texts of a catalog's units by their bytes, each decoded once. A unit is found by
// its length and first bytes in one step, where a search through the units met so far
// would take a differing number of steps from product to product.
class UnitTexts
{
public:
    // blnRoom: eight bytes may be read from bytes.data() on, whatever its size.
    const QString& text(QByteArrayView bytes, bool blnRoom)
    {
        const quint64 head = headOf(bytes, blnRoom);
        Slot& slot = m_slots[static_cast<size_t>(((head ^ quint64(bytes.size())) * 0x9E3779B97F4A7C15ULL) >> 58)];
        if (slot.intSize != bytes.size() || slot.head != head ||
            (bytes.size() > 8 &&
             std::memcmp(slot.bytes.data(), bytes.data(), static_cast<size_t>(bytes.size())) != 0)) {
            slot.intSize = bytes.size(); // a unit met before in this slot gives way: it is only made again
            slot.head = head;
            slot.bytes = bytes;
            slot.text = textOf(bytes);
        }
        return slot.text;
    }

private:
    // The first eight bytes, zeros after a shorter text. Read as one word where there is
    // room: bytes written one by one and then read as a word make the read wait until
    // every earlier write is done.
    static quint64 headOf(QByteArrayView bytes, bool blnRoom)
    {
        const qsizetype n = qMin<qsizetype>(bytes.size(), 8);
        if (blnRoom) {
            const quint64 word = qFromLittleEndian<quint64>(bytes.data());
            return n == 8 ? word : word & ((quint64(1) << (8 * n)) - 1);
        }
        char head[8] = {};
        std::memcpy(head, bytes.data(), static_cast<size_t>(n));
        return qFromLittleEndian<quint64>(head);
    }

    struct Slot
    {
        qsizetype intSize = -1;
        quint64 head = 0;
        QByteArrayView bytes;
        QString text;
    };
    std::array<Slot, 64> m_slots;
};

// A catalog's names, decoded one after another into blocks they share: each name is a
// text of its own that refers to its block, so a full catalog's names take a few dozen
// allocations rather than one each. A name changed later is copied out of its block as
// any shared text is, and a block is freed with the last of its names.
class NameBlocks
{
public:
    NameBlocks() = default;
    NameBlocks(const NameBlocks&) = delete;
    NameBlocks& operator=(const NameBlocks&) = delete;
    ~NameBlocks() { release(); }

    QString text(QByteArrayView bytes)
    {
        const qsizetype n = bytes.size();
        if (n == 0 || n >= LongName)
            return textOf(bytes);
        if (!m_block || m_intUsed + n + 1 > m_block->constAllocatedCapacity()) {
            release();
            const auto [header, data] = QTypedArrayData<char16_t>::allocate(BlockSize);
            if (!header)
                throw std::bad_alloc();
            m_block = header;
            m_data = data;
            m_intUsed = 0;
        }
        char16_t* const at = m_data + m_intUsed;
        Cp1251::decodeTo(bytes, at);
        at[n] = u'\0'; // as every text's characters are followed
        m_intUsed += n + 1;
        // A reference for the name. No other thread sees the block before the trip is
        // handed over, so the count goes up without the cost of an atomic step.
        m_block->ref_.storeRelaxed(m_block->ref_.loadRelaxed() + 1);
        return QString(QString::DataPointer(m_block, at, n));
    }

private:
    // Gives up this reader's own reference to the block.
    void release()
    {
        if (m_block && !m_block->deref())
            QTypedArrayData<char16_t>::deallocate(m_block);
        m_block = nullptr;
    }

    static constexpr qsizetype BlockSize = 16384; // characters
    static constexpr qsizetype LongName = BlockSize / 8;
    QTypedArrayData<char16_t>* m_block = nullptr;
    char16_t* m_data = nullptr;
    qsizetype m_intUsed = 0;
};

bool nextSectionIs(const Reader& r, const QString& strMarker)
{
    QByteArray bytes;
    return Cp1251::encode(strMarker, bytes) && r.nextLineIs(bytes);
}

// The optional sections after the ration, each known by its first line, in their order.
// A file without any keeps the old rule that nothing after the ration counts; once one
// is read, the file must end after the last.
void readTrailingSections(Reader& r, TripData& data)
{
    ReaderLines lines(r);
    bool blnAny = false;
    if (nextSectionIs(r, NutritionSection::marker())) {
        NutritionSection::read(lines, data);
        blnAny = true;
    }
    // The participants come last and end the file themselves.
    if (ParticipantsSection::opensAt(r.rest())) {
        int intLine = 0;
        QString strWhat;
        if (!ParticipantsSection::read(r.rest(), data.intCountPeople, data.participants, intLine, strWhat))
            r.fail(strWhat, r.linesRead() + intLine);
        return;
    }
    if (blnAny)
        r.requireEnd();
}

TripData parse(const QByteArray& bytes)
{
    Reader r(bytes);
    TripData data;
    data.strTitle = r.line();
    r.skip(); // "Запись глобальных переменных"
    data.strDeffine = r.quotedValue(QStringLiteral("Описание раскладки"));
    data.dtDataBegin = r.date(QStringLiteral("Дата начала"));
    data.dtDataEnd = r.date(QStringLiteral("Дата завершения"));
    data.intCountDay = r.count(r.value(QStringLiteral("Продолжительность")), QStringLiteral("Продолжительность"));
    data.intCountPeople = r.count(r.value(QStringLiteral("Число участников")), QStringLiteral("Число участников"));
    data.intCountSmena = r.count(r.value(QStringLiteral("Число смен")), QStringLiteral("Число смен"));
    data.intPeriod = r.number(r.value(QStringLiteral("Периодичность")), QStringLiteral("Периодичность"));
    if (data.intPeriod < 1)
        r.fail(QStringLiteral("периодичность меньше 1"));
    data.intRaskladBegin = r.number(r.value(QStringLiteral("Начало раскладки")), QStringLiteral("Начало раскладки"));
    data.intRaskladEnd = r.number(r.value(QStringLiteral("Конец раскладки")), QStringLiteral("Конец раскладки"));
    data.blnDataBegin = r.flag(QStringLiteral("Флаг начала"));
    data.blnDataEnd = r.flag(QStringLiteral("Флаг конца"));
    r.skip(2); // an empty line, "Элементы каталога продуктов"

    const qint16 n = r.count(r.value(QStringLiteral("Размер каталога")), QStringLiteral("Размер каталога"));
    // A catalog uses a handful of units; each is kept once and shared by its products.
    UnitTexts units;
    NameBlocks names;
    LineStart head(LineStart::numberSign(), '\r');
    for (int i = 1; i <= n; ++i, head.next()) {
        QByteArrayView strNameBytes;
        qint16 intNorma = 0;
        QByteArrayView strEdin;
        // A product read in one pass has its separator line after its unit.
        const bool blnPlain = r.plainProduct(head, strNameBytes, intNorma, strEdin);
        if (!blnPlain) {
            r.skip(); // "№ i"
            strNameBytes = r.lineBytes();
            const QByteArrayView strNorma = r.lineBytes();
            try {
                // Read as any norm text is; a text without a number is norm 0, a negative one is dropped.
                if (!plainInt16(strNorma, intNorma))
                    intNorma = Cp1251::withText<64>(strNorma, [](QStringView t) { return Numeric::textToInt16(t); });
            } catch (const ModelError&) {
                r.fail(QStringLiteral("норма «%1» вне пределов −32768…32767").arg(textOf(strNorma)));
            }
            strEdin = r.lineBytes();
            r.skip(); // the separator
        }
        data.catalog.AddProduct(names.text(strNameBytes), intNorma, units.text(strEdin, blnPlain));
    }

    r.skip(2); // an empty line, "Набор суточных меню"
    const qint16 m = r.count(r.value(QStringLiteral("Размер меню")), QStringLiteral("Размер меню"));
    if (m > data.intPeriod)
        r.fail(QStringLiteral("суточных меню больше, чем периодичность"));
    data.menus.reserve(m);
    // Marks the positions already in the meal being read, so repeats collapse in linear time.
    std::vector<bool> seen(static_cast<size_t>(n) + 1, false);
    for (int d = 1; d <= m; ++d) {
        r.skip(); // "Меню № d"
        TripMenu menu;
        for (auto& positions : menu.meals) {
            r.skip(); // the meal's label
            const qint16 k = r.count(r.value(QStringLiteral("Число продуктов")), QStringLiteral("Число продуктов"));
            for (qint16 i = 0; i < k; ++i) {
                const qint16 intIndex = r.number(r.lineBytes(), QStringLiteral("Продукт в меню"));
                if (intIndex < 1 || intIndex > n)
                    r.fail(QStringLiteral("продукта № %1 нет в каталоге").arg(intIndex));
                if (!seen[static_cast<size_t>(intIndex)]) {
                    seen[static_cast<size_t>(intIndex)] = true;
                    positions.append(intIndex);
                }
            }
            for (qint16 intIndex : positions)
                seen[static_cast<size_t>(intIndex)] = false;
            r.skip(); // separator
        }
        data.menus.append(std::move(menu));
    }
    readTrailingSections(r, data);
    return data;
}

} // namespace

bool read(const QByteArray& bytes, TripData& data, QString& strError)
{
    try {
        if (!Cp1251::fits(bytes)) {
            strError = QStringLiteral("текст файла не в кодировке Windows-1251");
            return false;
        }
        TripData out = parse(bytes);
        if (!checkWithoutFacts(out, strError))
            return false;
        data = std::move(out);
        return true;
    } catch (const ReadFault& fault) {
        strError = QStringLiteral("строка %1: %2").arg(fault.intLine).arg(fault.strWhat);
    } catch (const std::exception& e) {
        strError = QString::fromLocal8Bit(e.what());
    }
    return false;
}

bool readFile(const QString& strPath, TripData& data, QString& strError)
{
    QFile file;
    QString strWhy;
    if (!RegularFile::openForReading(file, strPath, strWhy)) {
        strError = QStringLiteral("не удалось открыть файл: %1").arg(strWhy);
        return false;
    }
    if (file.size() > MaxFileSize) {
        strError = QStringLiteral("файл слишком велик для файла раскладки");
        return false;
    }
    // A regular file comes in one piece of the size it gives; one byte of room shows a
    // file that has grown since (or a device without a size), which is read on up to
    // the limit.
    const qint64 intExpected = qBound<qint64>(0, file.size(), MaxFileSize);
    QByteArray bytes(intExpected + 1, Qt::Uninitialized);
    const qint64 intGot = file.read(bytes.data(), bytes.size());
    bytes.truncate(qMax<qint64>(0, intGot));
    if (intGot > intExpected)
        bytes += file.read(MaxFileSize + 1 - bytes.size());
    if (intGot < 0 || file.error() != QFileDevice::NoError || bytes.size() > MaxFileSize) {
        strError = QStringLiteral("не удалось прочитать файл: %1").arg(SystemError::text(file));
        return false;
    }
    return read(bytes, data, strError);
}

} // namespace TripFile
