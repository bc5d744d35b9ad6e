#include "model/Participants.h"

#include "model/Cp1251.h"

namespace Participants {

QString defaultName(int intPosition)
{
    return QStringLiteral("Участник %1").arg(intPosition);
}

Participant defaultParticipant(int intPosition)
{
    return {defaultName(intPosition), DefaultShare};
}

bool isDefault(const Participant& p, int intPosition)
{
    return p.intShare == DefaultShare && p.strName == defaultName(intPosition);
}

bool allDefault(const QList<Participant>& list)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!isDefault(list.at(i), int(i + 1)))
            return false;
    }
    return true;
}

void fit(QList<Participant>& list, int intCount)
{
    intCount = qMax(0, intCount);
    if (list.size() > intCount)
        list.resize(intCount);
    list.reserve(intCount);
    while (list.size() < intCount)
        list.append(defaultParticipant(int(list.size() + 1)));
}

QList<Participant> fitted(QList<Participant> list, int intCount)
{
    fit(list, intCount);
    return list;
}

QString shareText(qint32 intShare)
{
    QString s = QString::number(intShare / 100);
    const int intFraction = intShare % 100;
    if (intFraction != 0) {
        s += QLatin1Char('.') + QStringLiteral("%1").arg(intFraction, 2, 10, QLatin1Char('0'));
        if (s.endsWith(QLatin1Char('0')))
            s.chop(1);
    }
    return s;
}

namespace {

// Digits, then optionally a separator and one or two digits; hundredths or nullopt.
std::optional<qint32> hundredths(QStringView s, bool blnStrict)
{
    qsizetype i = 0;
    qint64 whole = 0;
    const qsizetype start = i;
    while (i < s.size() && s.at(i).isDigit() && s.at(i).unicode() < 128 && i - start < 4)
        whole = whole * 10 + (s.at(i++).unicode() - u'0');
    const qsizetype intWholeDigits = i - start;
    if (intWholeDigits == 0)
        return std::nullopt;
    if (blnStrict && intWholeDigits > 1 && s.at(start) == u'0')
        return std::nullopt;
    qint64 fraction = 0;
    if (i < s.size() && (s.at(i) == u'.' || (!blnStrict && s.at(i) == u','))) {
        ++i;
        int intDigits = 0;
        while (i < s.size() && s.at(i).isDigit() && s.at(i).unicode() < 128 && intDigits < 3) {
            fraction = fraction * 10 + (s.at(i++).unicode() - u'0');
            ++intDigits;
        }
        if (intDigits == 0 || intDigits > 2)
            return std::nullopt;
        if (blnStrict && s.at(i - 1) == u'0')
            return std::nullopt;
        if (intDigits == 1)
            fraction *= 10;
    }
    if (i != s.size())
        return std::nullopt;
    const qint64 value = whole * 100 + fraction;
    if (value < MinShare || value > MaxShare)
        return std::nullopt;
    return static_cast<qint32>(value);
}

} // namespace

std::optional<qint32> parseShare(QStringView text)
{
    return hundredths(text.trimmed(), false);
}

std::optional<qint32> parseShareStrict(QStringView text)
{
    return hundredths(text, true);
}

bool checkName(const QString& strName, int intPosition, QString& strError)
{
    // Made only for a refusal: a file may hold thousands of names.
    const auto who = [&] { return QStringLiteral("Имя участника № %1 «%2»").arg(intPosition).arg(strName); };
    if (strName.trimmed().isEmpty()) {
        strError = QStringLiteral("Имя участника № %1 пусто. Введите имя.").arg(intPosition);
        return false;
    }
    if (strName.contains(u';') || strName.contains(u'\n') || strName.contains(u'\r')) {
        strError = who() + QStringLiteral(": в имени не может быть «;» и переводов строки.");
        return false;
    }
    QByteArray bytes;
    if (!Cp1251::encode(strName, bytes)) {
        strError = who() + QStringLiteral(": в имени есть знаки, которых нет в кодировке файла (Windows-1251).");
        return false;
    }
    return true;
}

bool check(const QList<Participant>& list, QString& strError)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!checkName(list.at(i).strName, int(i + 1), strError))
            return false;
    }
    return true;
}

} // namespace Participants
