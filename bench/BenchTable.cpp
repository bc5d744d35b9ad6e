#include "BenchTable.h"

#include <QStringList>

#include <algorithm>

double BenchTable::Row::median() const
{
    if (times.isEmpty())
        return 0;
    QList<double> s = times;
    std::sort(s.begin(), s.end());
    const qsizetype n = s.size();
    return n % 2 ? s.at(n / 2) : (s.at(n / 2 - 1) + s.at(n / 2)) / 2;
}

double BenchTable::Row::worst() const
{
    return times.isEmpty() ? 0 : *std::max_element(times.begin(), times.end());
}

bool BenchTable::Row::over() const
{
    return !strError.isEmpty() || (dBudget >= 0 && median() > dBudget);
}

void BenchTable::section(const QString& strTitle)
{
    Row r;
    r.strAction = strTitle;
    r.bSection = true;
    m_rows.append(r);
}

int BenchTable::add(const QString& strAction, const QList<double>& times, double dBudget, const QString& strBudgetNote)
{
    Row r;
    r.strAction = strAction;
    r.times = times;
    r.dBudget = dBudget;
    r.strBudgetNote = strBudgetNote;
    m_rows.append(r);
    return int(m_rows.size() - 1);
}

int BenchTable::addError(const QString& strAction, const QString& strError)
{
    Row r;
    r.strAction = strAction;
    r.strError = strError;
    m_rows.append(r);
    return int(m_rows.size() - 1);
}

int BenchTable::overCount() const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return !r.bSection && r.over(); }));
}

namespace {

QString ms(double d)
{
    return QString::number(d, 'f', d < 10 ? 2 : 1);
}

} // namespace

QString BenchTable::text() const
{
    int wAction = 6;
    for (const Row& r : m_rows)
        if (!r.bSection)
            wAction = std::max(wAction, int(r.strAction.size()));
    const QString head = QStringLiteral("%1  %2  %3  %4  %5\n")
                             .arg(QStringLiteral("action"), -wAction)
                             .arg(QStringLiteral("median ms"), 10)
                             .arg(QStringLiteral("worst ms"), 10)
                             .arg(QStringLiteral("budget ms"), -26)
                             .arg(QStringLiteral("result"));
    QString out = head;
    out += QString(head.size() - 1, QLatin1Char('-')) + QLatin1Char('\n');
    for (const Row& r : m_rows) {
        if (r.bSection) {
            out += QStringLiteral("\n[%1]\n").arg(r.strAction);
            continue;
        }
        QString budget = r.dBudget >= 0 ? ms(r.dBudget) : QStringLiteral("-");
        if (!r.strBudgetNote.isEmpty())
            budget += QStringLiteral(" (") + r.strBudgetNote + QLatin1Char(')');
        QString result;
        if (!r.strError.isEmpty())
            result = QStringLiteral("FAILED: ") + r.strError;
        else if (r.dBudget < 0)
            result = QStringLiteral("-");
        else
            result = r.over() ? QStringLiteral("over") : QStringLiteral("OK");
        out += QStringLiteral("%1  %2  %3  %4  %5\n")
                   .arg(r.strAction, -wAction)
                   .arg(r.strError.isEmpty() ? ms(r.median()) : QStringLiteral("-"), 10)
                   .arg(r.strError.isEmpty() ? ms(r.worst()) : QStringLiteral("-"), 10)
                   .arg(budget, -26)
                   .arg(result);
    }
    const int nOver = overCount();
    int nBudgeted = 0;
    for (const Row& r : m_rows)
        if (!r.bSection && (r.dBudget >= 0 || !r.strError.isEmpty()))
            ++nBudgeted;
    out += QStringLiteral("\n%1 of %2 budgeted actions within budget; %3 over.\n")
               .arg(nBudgeted - nOver)
               .arg(nBudgeted)
               .arg(nOver);
    return out;
}
