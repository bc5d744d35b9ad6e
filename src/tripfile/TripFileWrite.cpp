#include "tripfile/TripFile.h"

#include "model/Meals.h"
#include "tripfile/Cp1251.h"
#include "tripfile/NutritionSection.h"
#include "tripfile/ParticipantsSection.h"

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
    // One pass: tens of thousands of names and units are looked at on every save.
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r')
            return true;
    }
    return false;
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

// A line break inside a plain line would move every line after it.
bool checkLineBreaks(const TripData& data, QString& strError)
{
    if (hasLineBreak(data.strTitle)) {
        strError = refusal(QStringLiteral("В заголовке файла «%1» есть перевод строки.").arg(data.strTitle));
        return false;
    }
    for (qsizetype i = 0; i < data.products.size(); ++i) {
        const TripProduct& p = data.products.at(i);
        const QString strField = hasLineBreak(p.strName)   ? QStringLiteral("В названии")
                                 : hasLineBreak(p.strEdin) ? QStringLiteral("В единице измерения")
                                                           : QString();
        if (!strField.isEmpty()) {
            strError =
                refusal(QStringLiteral("%1 продукта № %2 «%3» есть перевод строки. Уберите его и сохраните снова.")
                            .arg(strField)
                            .arg(i + 1)
                            .arg(p.strName));
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
    for (qsizetype i = 0; i < data.products.size(); ++i) {
        const TripProduct& p = data.products.at(i);
        const QString strProduct = QStringLiteral("продукта № %1 «%2»").arg(i + 1).arg(p.strName);
        if (!fitsCodePage(p.strName))
            return codePageRefusal(QStringLiteral("В названии ") + strProduct, p.strName);
        if (!fitsCodePage(p.strEdin))
            return codePageRefusal(QStringLiteral("В единице измерения ") + strProduct, p.strEdin);
    }
    return refusal(QStringLiteral("Текст нельзя записать в кодировке Windows-1251."));
}

// The file's text, put together in one buffer: a full catalog makes a quarter of a
// million lines, and appending to a string piece by piece showed in the time of a save.
class Writer
{
public:
    explicit Writer(qsizetype intSizeHint)
        : m_text(qMax<qsizetype>(intSizeHint, 64), Qt::Uninitialized)
    {
    }

    void plain(QStringView text)
    {
        put(text);
        put(CrLf);
    }

    // One blank before the digits (a minus sign in its place) and one after.
    void plainNumber(qint16 intValue)
    {
        if (intValue >= 0)
            put(u" ");
        appendNumber(intValue);
        put(u" \r\n");
    }

    // "№ 12" and the like: a text, then a number, as one line.
    void numbered(QStringView prefix, int intValue)
    {
        put(prefix);
        appendNumber(intValue);
        put(CrLf);
    }

    void value(const QString& strValue, const QString& strLabel)
    {
        plain(strValue + QStringLiteral(",\"") + strLabel + u'"');
    }
    void value(qint16 intValue, const QString& strLabel) { value(number(intValue), strLabel); }
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

    QStringView text() const { return QStringView(m_text).first(m_intLength); }

private:
    static QString number(qint16 intValue) { return QString::number(intValue); }

    // Decimal digits straight into the text: a full catalog has tens of thousands of
    // numbers, and a string apiece showed in the time of a save.
    void appendNumber(int intValue)
    {
        char16_t digits[12];
        int i = 12;
        unsigned int u = intValue < 0 ? 0u - static_cast<unsigned int>(intValue) : static_cast<unsigned int>(intValue);
        do {
            digits[--i] = static_cast<char16_t>(u'0' + u % 10);
            u /= 10;
        } while (u != 0);
        if (intValue < 0)
            digits[--i] = u'-';
        put(QStringView(digits + i, 12 - i));
    }

    void put(QStringView piece)
    {
        if (m_intLength + piece.size() > m_text.size())
            m_text.resize(qMax(m_text.size() * 2, m_intLength + piece.size()));
        std::copy_n(piece.utf16(), piece.size(), reinterpret_cast<char16_t*>(m_text.data()) + m_intLength);
        m_intLength += piece.size();
    }

    static constexpr QStringView CrLf = u"\r\n";
    QString m_text; // the first m_intLength characters are the file's
    qsizetype m_intLength = 0;
};

} // namespace

bool write(const TripData& data, QByteArray& bytes, QString& strError)
{
    if (!check(data, strError)) {
        strError = refusal(strError);
        return false;
    }
    if (!checkLineBreaks(data, strError))
        return false;
    if (!ParticipantsSection::check(data.participants, strError)) {
        strError = refusal(strError);
        return false;
    }

    // Roughly the size of a product's lines and of a menu entry's line, so the text
    // grows once.
    Writer w(1024 + data.products.size() * 64 + data.menus.size() * 3 * 400);
    w.plain(data.strTitle);
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
    w.value(static_cast<qint16>(data.products.size()), QStringLiteral("Размер каталога"));
    const QString strProductEnd(29, u'_');
    for (qsizetype i = 0; i < data.products.size(); ++i) {
        const TripProduct& p = data.products.at(i);
        w.numbered(u"№ ", static_cast<int>(i + 1));
        w.plain(p.strName);
        w.plainNumber(p.intNorma);
        w.plain(p.strEdin);
        w.plain(strProductEnd);
    }
    w.plain(QString());
    w.plain(QStringLiteral("Набор суточных меню"));
    w.value(static_cast<qint16>(data.menus.size()), QStringLiteral("Размер меню"));
    const QString strMealEnd(35, u'_');
    for (qsizetype d = 0; d < data.menus.size(); ++d) {
        w.numbered(u"Меню № ", static_cast<int>(d + 1));
        for (int j = 0; j < Meals::Count; ++j) {
            const QList<qint16>& positions = data.menus.at(d).meals.at(static_cast<size_t>(j));
            w.plain(Meals::label(j + 1));
            w.value(static_cast<qint16>(positions.size()), QStringLiteral("Число продуктов"));
            for (qint16 intIndex : positions)
                w.plainNumber(intIndex);
            w.plain(strMealEnd);
        }
    }
    QByteArray out;
    if (!Cp1251::encode(w.text(), out)) {
        strError = codePageFault(data);
        return false;
    }
    // The optional sections after the ration, in their order, written as bytes.
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
