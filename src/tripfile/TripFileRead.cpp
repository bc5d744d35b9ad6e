#include "tripfile/TripFile.h"

#include "model/ModelErrors.h"
#include "model/Numeric.h"
#include "model/clsCatalog.h"

#include <QFile>
#include <QStringDecoder>

#include <exception>
#include <vector>

namespace TripFile {

namespace {

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

class Reader
{
public:
    explicit Reader(const QString& text)
        : m_text(text)
    {
    }

    // The next whole line without its line end. A line must end with LF (a CR before it
    // is dropped), so a file cut anywhere fails here. A CR elsewhere is refused: other
    // readers of the format take it for a line end, so the lines after it are in doubt.
    QString line()
    {
        const qsizetype end = m_text.indexOf(u'\n', m_pos);
        if (end < 0)
            fail(QStringLiteral("файл кончился раньше времени"), m_line + 1);
        qsizetype stop = end;
        if (stop > m_pos && m_text.at(stop - 1) == u'\r')
            --stop;
        QString out = m_text.mid(m_pos, stop - m_pos);
        m_pos = end + 1;
        ++m_line;
        if (out.contains(u'\r'))
            fail(QStringLiteral("в строке лишний символ возврата каретки"));
        return out;
    }

    void skip(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            line();
    }

    // A quoted text value that may run over several lines; "" inside stands for one quote.
    // The rest of its last line (a comma and the label) is skipped.
    QString quotedValue(const QString& strWhat)
    {
        const int intFirstLine = m_line + 1;
        qsizetype pos = m_pos;
        while (pos < m_text.size() && isBlank(m_text.at(pos)))
            ++pos;
        if (pos >= m_text.size() || m_text.at(pos) != u'"')
            fail(QStringLiteral("%1 должно начинаться с кавычки").arg(strWhat), intFirstLine);
        ++pos;
        QString value;
        for (;;) {
            const qsizetype quote = m_text.indexOf(u'"', pos);
            if (quote < 0)
                fail(QStringLiteral("%1 не закрыто кавычкой").arg(strWhat), intFirstLine);
            value += QStringView(m_text).mid(pos, quote - pos);
            pos = quote + 1;
            if (pos < m_text.size() && m_text.at(pos) == u'"') {
                value += u'"';
                ++pos;
                continue;
            }
            break;
        }
        m_line += static_cast<int>(QStringView(m_text).mid(m_pos, pos - m_pos).count(u'\n'));
        m_pos = pos;
        const QString rest = line();
        if (!trimBlanks(rest).startsWith(u','))
            fail(QStringLiteral("после значения «%1» нет запятой").arg(strWhat));
        value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        value.replace(u'\r', u'\n');
        return value;
    }

    // The value part of a value line: everything before its first comma, blanks trimmed.
    QString value(const QString& strWhat)
    {
        const QString s = line();
        const qsizetype comma = s.indexOf(u',');
        if (comma < 0)
            fail(QStringLiteral("в строке «%1» нет запятой после значения").arg(strWhat));
        return trimBlanks(QStringView(s).left(comma)).toString();
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

    [[noreturn]] void fail(const QString& strWhat, int intLine = 0) const
    {
        throw ReadFault{intLine > 0 ? intLine : m_line, strWhat};
    }

private:
    const QString& m_text;
    qsizetype m_pos = 0;
    int m_line = 0; // lines read so far
};

TripData parse(const QString& text)
{
    Reader r(text);
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
    for (int i = 1; i <= n; ++i) {
        r.skip(); // "№ i"
        TripProduct p;
        p.strName = r.line();
        const QString strNorma = r.line();
        try {
            // Read as any norm text is; a text without a number is norm 0, a negative one is dropped.
            p.intNorma = qMax<qint16>(0, Numeric::textToInt16(strNorma));
        } catch (const ModelError&) {
            r.fail(QStringLiteral("норма «%1» вне пределов −32768…32767").arg(strNorma));
        }
        p.strEdin = r.line();
        r.skip(); // separator
        data.products.append(p);
    }

    r.skip(2); // an empty line, "Набор суточных меню"
    const qint16 m = r.count(r.value(QStringLiteral("Размер меню")), QStringLiteral("Размер меню"));
    if (m > data.intPeriod)
        r.fail(QStringLiteral("суточных меню больше, чем периодичность"));
    // Marks the positions already in the meal being read, so repeats collapse in linear time.
    std::vector<bool> seen(static_cast<size_t>(n) + 1, false);
    for (int d = 1; d <= m; ++d) {
        r.skip(); // "Меню № d"
        TripMenu menu;
        for (auto& positions : menu.meals) {
            r.skip(); // the meal's label
            const qint16 k = r.count(r.value(QStringLiteral("Число продуктов")), QStringLiteral("Число продуктов"));
            for (qint16 i = 0; i < k; ++i) {
                const qint16 intIndex = r.number(r.line(), QStringLiteral("Продукт в меню"));
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
        data.menus.append(menu);
    }
    // Whatever follows the last separator is not part of the trip.
    return data;
}

} // namespace

bool read(const QByteArray& bytes, TripData& data, QString& strError)
{
    try {
        QStringDecoder decoder("windows-1251");
        const QString text = decoder.decode(bytes);
        if (decoder.hasError()) {
            strError = QStringLiteral("текст файла не в кодировке Windows-1251");
            return false;
        }
        TripData out = parse(text);
        if (!check(out, strError))
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
    QFile file(strPath);
    if (strPath.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        strError = QStringLiteral("не удалось открыть файл: %1").arg(file.errorString());
        return false;
    }
    if (file.size() > MaxFileSize) {
        strError = QStringLiteral("файл слишком велик для файла раскладки");
        return false;
    }
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxFileSize) {
        strError = QStringLiteral("не удалось прочитать файл: %1").arg(file.errorString());
        return false;
    }
    return read(bytes, data, strError);
}

} // namespace TripFile
