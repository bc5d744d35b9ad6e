#include "tripfile/TripFile.h"

#include "model/Cp1251.h"
#include "model/Meals.h"
#include "model/Participants.h"
#include "tripfile/LineStart.h"
#include "tripfile/NutritionSection.h"
#include "tripfile/ParticipantsSection.h"
#include "tripfile/TripLines.h"

#include <algorithm>
#include <charconv>

namespace TripFile {

namespace {

// True when the code page holds the text exactly (it reads back as itself).
bool fitsCodePage(const QString& text)
{
    QByteArray bytes;
    return Cp1251::encode(text, bytes);
}

// The characters of a text that the code page lacks, each once, for the message.
QString missingCharacters(const QString& text)
{
    QStringList found;
    for (qsizetype i = 0; i < text.size() && found.size() < 5; ++i) {
        qsizetype len = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            len = 2;
        const QString ch = text.mid(i, len);
        i += len - 1;
        if (fitsCodePage(ch))
            continue;
        const QString shown = ch.at(0).isSurrogate() && len == 1
                                  ? QStringLiteral("U+%1").arg(ch.at(0).unicode(), 4, 16, QLatin1Char('0')).toUpper()
                                  : ch;
        if (!found.contains(shown))
            found.append(shown);
    }
    return found.join(QStringLiteral(" "));
}

bool hasLineBreak(QStringView text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

QString refusal(const QString& strWhy)
{
    return QStringLiteral("Файл не сохранён. %1").arg(strWhy);
}

QString codePageRefusal(const QString& strField, const QString& text)
{
    return refusal(QStringLiteral("%1 есть знаки, которых нет в кодировке файла (Windows-1251): %2. "
                                  "Замените или удалите их и сохраните снова.")
                       .arg(strField, missingCharacters(text)));
}

// A line break inside a plain line would move every line after it. Only run once the
// writer has met one, to name it.
bool checkLineBreaks(const TripData& data, QString& strError)
{
    if (hasLineBreak(data.strTitle)) {
        strError = refusal(QStringLiteral("В заголовке файла «%1» есть перевод строки.").arg(data.strTitle));
        return false;
    }
    for (int i = 1; i <= data.catalog.size(); ++i) {
        const clsProduct& p = data.catalog.GetProduct(i);
        const QString strField = hasLineBreak(p.Name())           ? QStringLiteral("В названии")
                                 : hasLineBreak(p.strProductEdin) ? QStringLiteral("В единице измерения")
                                                                  : QString();
        if (!strField.isEmpty()) {
            strError =
                refusal(QStringLiteral("%1 продукта № %2 «%3» есть перевод строки. Уберите его и сохраните снова.")
                            .arg(strField)
                            .arg(i)
                            .arg(p.Name()));
            return false;
        }
    }
    return true;
}

// Names the first field whose text the code page cannot hold. Only run once the whole
// file has failed to encode, so a good save encodes its text once.
QString codePageFault(const TripData& data)
{
    if (!fitsCodePage(data.strTitle))
        return codePageRefusal(QStringLiteral("В заголовке файла"), data.strTitle);
    if (!fitsCodePage(data.strDeffine))
        return codePageRefusal(QStringLiteral("В описании раскладки"), data.strDeffine);
    for (int i = 1; i <= data.catalog.size(); ++i) {
        const clsProduct& p = data.catalog.GetProduct(i);
        const QString strProduct = QStringLiteral("продукта № %1 «%2»").arg(i).arg(p.Name());
        if (!fitsCodePage(p.Name()))
            return codePageRefusal(QStringLiteral("В названии ") + strProduct, p.Name());
        if (!fitsCodePage(p.strProductEdin))
            return codePageRefusal(QStringLiteral("В единице измерения ") + strProduct, p.strProductEdin);
    }
    return refusal(QStringLiteral("Текст нельзя записать в кодировке Windows-1251."));
}

// The file's bytes, put together in one buffer: a full catalog makes a quarter of a
// million lines. Texts are encoded straight into it and numbers written as ASCII, so
// the file never exists as a text in between.
class Writer
{
public:
    explicit Writer(qsizetype intSizeHint)
        : m_bytes(qMax<qsizetype>(intSizeHint, 64), Qt::Uninitialized)
    {
    }

    void plain(QStringView text)
    {
        put(text);
        putBytes(CrLf);
    }

    // A line that is one text of the trip (the title, a name, a unit): a line break in
    // it would move every later line, so it is looked for here, where the text is read
    // anyway.
    void line(QStringView text)
    {
        const char16_t* const chars = text.utf16();
        bool bFound = false;
        for (qsizetype i = 0; i < text.size(); ++i)
            bFound |= chars[i] == u'\n' || chars[i] == u'\r';
        m_bLineBreak |= bFound;
        plain(text);
    }

    // A line whose bytes are known already (separators).
    void plainBytes(QByteArrayView bytes)
    {
        putBytes(bytes);
        putBytes(CrLf);
    }

    // One blank before the digits (a minus sign in its place) and one after.
    void plainNumber(qint16 intValue)
    {
        if (intValue >= 0)
            putBytes(" ");
        appendNumber(intValue);
        putBytes(" \r\n");
    }

    // "№ 12" and the like: the bytes of a text, then a number, as one line.
    void numbered(QByteArrayView prefix, int intValue)
    {
        putBytes(prefix);
        appendNumber(intValue);
        putBytes(CrLf);
    }

    void value(const QString& strValue, const QString& strLabel)
    {
        plain(strValue + QStringLiteral(",\"") + strLabel + u'"');
    }
    void value(qint16 intValue, const QString& strLabel) { value(QString::number(intValue), strLabel); }
    void value(bool blnValue, const QString& strLabel)
    {
        value(blnValue ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#"), strLabel);
    }
    void value(const QDate& dt, const QString& strLabel)
    {
        value(QStringLiteral("#%1-%2-%3#")
                  .arg(dt.year(), 4, 10, QLatin1Char('0'))
                  .arg(dt.month(), 2, 10, QLatin1Char('0'))
                  .arg(dt.day(), 2, 10, QLatin1Char('0')),
              strLabel);
    }

    // Line breaks are written as the file's own CR LF; a quote is doubled so that it
    // cannot end the text early.
    void quoted(QString text, const QString& strLabel)
    {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
        text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        value(u'"' + text + u'"', strLabel);
    }

    // Whether line() met a line break.
    bool lineBreak() const { return m_bLineBreak; }
    // Whether some text had a character the code page lacks.
    bool failed() const { return m_bFailed; }

    // The bytes written; the buffer keeps its room for what follows.
    QByteArray take()
    {
        m_bytes.resize(m_intLength);
        return std::move(m_bytes);
    }

private:
    void appendNumber(int intValue)
    {
        char digits[12];
        putBytes(QByteArrayView(digits, std::to_chars(digits, digits + sizeof digits, intValue).ptr));
    }

    char* room(qsizetype intSize)
    {
        if (m_intLength + intSize > m_bytes.size())
            m_bytes.resize(qMax(m_bytes.size() * 2, m_intLength + intSize));
        char* at = m_bytes.data() + m_intLength;
        m_intLength += intSize;
        return at;
    }

    void put(QStringView text)
    {
        if (!Cp1251::encodeTo(text, room(text.size())))
            m_bFailed = true;
    }

    void putBytes(QByteArrayView bytes) { std::copy_n(bytes.data(), bytes.size(), room(bytes.size())); }

    static constexpr QByteArrayView CrLf = TripLines::CrLf;
    QByteArray m_bytes; // the first m_intLength bytes are the file's
    qsizetype m_intLength = 0;
    bool m_bFailed = false;
    bool m_bLineBreak = false;
};

} // namespace

bool write(const TripData& data, QByteArray& bytes, QString& strError)
{
    if (!check(data, strError)) {
        strError = refusal(strError);
        return false;
    }

    // Roughly the size of a product's lines and of a menu entry's line. Not more: a
    // buffer far larger than the file is a fresh mapping for the C library on every
    // save, whose pages cost more to touch than the sections' growing it once.
    Writer w(1024 + data.catalog.size() * 64 + data.menus.size() * 3 * 400);
    w.line(data.strTitle);
    w.plain(QStringLiteral("Запись глобальных переменных"));
    w.quoted(data.strDeffine, QStringLiteral("Описание раскладки"));
    w.value(data.dtDataBegin, QStringLiteral("Дата начала"));
    w.value(data.dtDataEnd, QStringLiteral("Дата завершения"));
    w.value(data.intCountDay, QStringLiteral("Продолжительность в днях"));
    w.value(data.intCountPeople, QStringLiteral("Число участников"));
    w.value(data.intCountSmena, QStringLiteral("Число смен дежурных"));
    w.value(data.intPeriod, QStringLiteral("Периодичность раскладки"));
    w.value(data.intRaskladBegin, QStringLiteral("Начало раскладки"));
    w.value(data.intRaskladEnd, QStringLiteral("Конец раскладки"));
    w.value(data.blnDataBegin, QStringLiteral("Флаг начала"));
    w.value(data.blnDataEnd, QStringLiteral("Флаг конца"));
    w.plain(QString());
    w.plain(QStringLiteral("Элементы каталога продуктов"));
    w.value(data.catalog.size(), QStringLiteral("Размер каталога"));
    const QByteArray& numberSign = LineStart::numberSign();
    for (int i = 1; i <= data.catalog.size(); ++i) {
        const clsProduct& p = data.catalog.GetProduct(i);
        w.numbered(numberSign, i);
        w.line(p.Name());
        w.plainNumber(p.Norma());
        w.line(p.strProductEdin);
        w.plainBytes(TripLines::ShortRule);
    }
    w.plain(QString());
    w.plain(QStringLiteral("Набор суточных меню"));
    w.value(static_cast<qint16>(data.menus.size()), QStringLiteral("Размер меню"));
    const QByteArray menuSign = Cp1251::bytes(u"Меню № ");
    for (qsizetype d = 0; d < data.menus.size(); ++d) {
        w.numbered(menuSign, static_cast<int>(d + 1));
        for (int j = 0; j < Meals::Count; ++j) {
            const QList<qint16>& positions = data.menus.at(d).meals.at(static_cast<size_t>(j));
            w.plain(Meals::label(j + 1));
            w.value(static_cast<qint16>(positions.size()), QStringLiteral("Число продуктов"));
            for (qint16 intIndex : positions)
                w.plainNumber(intIndex);
            w.plainBytes(TripLines::LongRule);
        }
    }
    // The refusals in their order: a line break, a participant's name, the code page.
    if (w.lineBreak() && !checkLineBreaks(data, strError))
        return false;
    if (!Participants::check(data.participants, strError)) {
        strError = refusal(strError);
        return false;
    }
    if (w.failed()) {
        strError = codePageFault(data);
        return false;
    }
    QByteArray out = w.take();
    // The optional sections after the ration, in their order.
    if (NutritionSection::present(data))
        NutritionSection::write(data, out);
    if (!ParticipantsSection::write(data.participants, data.intCountPeople, out)) {
        strError = refusal(QStringLiteral("Имена участников нельзя записать в кодировке Windows-1251."));
        return false;
    }
    bytes = std::move(out);
    return true;
}

} // namespace TripFile
