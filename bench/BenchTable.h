#pragma once

#include <QList>
#include <QString>

// The one table the benchmark prints: each action's median and worst time over its
// repeated runs, and its budget. An action is over when its median passes the budget.
class BenchTable
{
public:
    struct Row
    {
        QString strAction;
        QList<double> times;   // ms, one per run
        double dBudget = -1;   // ms; below 0: no budget (a baseline or a figure to watch)
        QString strBudgetNote; // how the budget was set, e.g. "3 x decode"
        QString strError;      // the action failed to run
        bool bSection = false; // a heading line

        double median() const;
        double worst() const;
        bool over() const;
    };

    void section(const QString& strTitle);
    // Adds a row and returns its index.
    int add(const QString& strAction, const QList<double>& times, double dBudget = -1,
            const QString& strBudgetNote = QString());
    int addError(const QString& strAction, const QString& strError);
    Row& row(int i) { return m_rows[i]; }
    const QList<Row>& rows() const { return m_rows; }

    // The table as text, one row a line, then a summary line.
    QString text() const;
    int overCount() const;

private:
    QList<Row> m_rows;
};
