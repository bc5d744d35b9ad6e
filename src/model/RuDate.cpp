#include "model/RuDate.h"

#include <QRegularExpression>

namespace RuDate {

namespace {

const char16_t* const genitive[] = {u"января", u"февраля", u"марта",    u"апреля",  u"мая",    u"июня",
                                    u"июля",   u"августа", u"сентября", u"октября", u"ноября", u"декабря"};
const char16_t* const abbreviated[] = {u"янв", u"фев", u"мар", u"апр", u"май", u"июн",
                                       u"июл", u"авг", u"сен", u"окт", u"ноя", u"дек"};
const char16_t* const weekdays[] = {u"понедельник", u"вторник", u"среда",      u"четверг",
                                    u"пятница",     u"суббота", u"воскресенье"};

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString monthGenitive(int month)
{
    return month >= 1 && month <= 12 ? QString::fromUtf16(genitive[month - 1]) : QString();
}

QString monthShort(int month)
{
    return month >= 1 && month <= 12 ? QString::fromUtf16(abbreviated[month - 1]) : QString();
}

QString weekdayName(int dayOfWeek)
{
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? QString::fromUtf16(weekdays[dayOfWeek - 1]) : QString();
}

QString shortDate(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1.%2.%3")
        .arg(twoDigits(date.day()), twoDigits(date.month()))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString mediumDate(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1-%2-%3")
        .arg(twoDigits(date.day()), monthShort(date.month()), twoDigits(date.year() % 100));
}

QString longDate(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1  %2  %3").arg(date.day()).arg(monthGenitive(date.month())).arg(date.year());
}

QString longDateWithWeekday(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return QStringLiteral(" %1, ( %2 )").arg(longDate(date), weekdayName(date.dayOfWeek()));
}

std::optional<QDate> parseShort(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,2})([./-])(\\d{1,2})\\2(\\d{4}|\\d{2})\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int day = match.captured(1).toInt();
    const int month = match.captured(3).toInt();
    const QString yearText = match.captured(4);
    int year = yearText.toInt();
    if (yearText.size() == 2)
        year += year < 30 ? 2000 : 1900;
    else if (year < 100)
        return std::nullopt; // "0000", "0099": no such years to plan a trip in
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace RuDate
