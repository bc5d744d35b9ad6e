#include "ui/tools/TextRowsModel.h"

#include <QFont>

TextRowsModel::TextRowsModel(QStringList header, QObject* parent)
    : QAbstractTableModel(parent)
    , m_header(std::move(header))
{
}

void TextRowsModel::setRows(QList<QStringList> rows, qsizetype intBoldFrom)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_marks = QList<Mark>(m_rows.size());
    m_intBoldFrom = intBoldFrom;
    endResetModel();
}

void TextRowsModel::markRow(qsizetype intRow, const QColor& color, const QString& strTip)
{
    if (intRow < 0 || intRow >= m_marks.size())
        return;
    m_marks[intRow] = {color, strTip};
    emit dataChanged(index(int(intRow), 0), index(int(intRow), columnCount() - 1));
}

int TextRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TextRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_header.size());
}

QVariant TextRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const QString& text = m_rows.at(index.row()).value(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::TextAlignmentRole: {
        // Numbers to the right, words to the left.
        bool blnNumber = !text.isEmpty();
        for (const QChar c : text)
            blnNumber &= c.isDigit() || c == u'.' || c == u'-';
        return QVariant::fromValue(Qt::AlignVCenter | (blnNumber ? Qt::AlignRight : Qt::AlignLeft));
    }
    case Qt::FontRole:
        if (m_intBoldFrom >= 0 && index.row() >= m_intBoldFrom) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::BackgroundRole:
        if (m_marks.at(index.row()).color.isValid())
            return m_marks.at(index.row()).color;
        return {};
    case Qt::ToolTipRole: {
        QString strTip = m_marks.at(index.row()).strTip;
        const QString strCell = m_cellTips ? m_cellTips(index.row(), index.column()) : QString();
        if (!strCell.isEmpty())
            strTip += (strTip.isEmpty() ? QString() : QStringLiteral("\n")) + strCell;
        return strTip.isEmpty() ? QVariant() : QVariant(strTip);
    }
    default:
        return {};
    }
}

QVariant TextRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal)
        return m_header.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
