#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Russian date forms, the same whatever the process locale.
namespace RuDate {

// "07.06.2026": fields and grids.
QString shortDate(const QDate& date);
// "07-июн-26": day, abbreviated month, two-digit year (the layout window's meal date).
QString mediumDate(const QDate& date);
// "7  июня  2026": day without a leading zero, two blanks, the month in the genitive,
// two blanks, the four-digit year (document pattern "d  mmmm  yyyy").
QString longDate(const QDate& date);
// " 7  июня  2026, ( воскресенье )" (document pattern " d  mmmm  yyyy, ( dddd )").
QString longDateWithWeekday(const QDate& date);

// Month 1..12: "июня" (genitive), "июн" (abbreviated); weekday 1 (Monday)..7:
// "воскресенье". Empty outside the range.
QString monthGenitive(int month);
QString monthShort(int month);
QString weekdayName(int dayOfWeek);

// Reads a date typed as day.month.year: one or two digits for day and month, a four-
// or two-digit year (00-29 are 2000-2029, 30-99 are 1930-1999), '.', '/' or '-' as the
// separator (the same twice), blanks around allowed. Nothing for anything else or a
// day that does not exist (31.02.2026).
std::optional<QDate> parseShort(const QString& text);

} // namespace RuDate
