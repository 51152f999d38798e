#include "gridmodel.h"

#include <QFont>

GridModel::GridModel(QObject *parent) : QAbstractTableModel(parent) {}

void GridModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

void GridModel::setRows(std::shared_ptr<const GridRows> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_checked.assign(m_rows ? size_t(m_rows->rowCount()) : 0, 0);
    endResetModel();
}

void GridModel::clearRows()
{
    setRows(nullptr);
}

void GridModel::setBoldColumns(const QSet<int> &columns)
{
    m_bold = columns;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::FontRole});
}

void GridModel::setCheckable(bool checkable)
{
    beginResetModel();
    m_checkable = checkable;
    endResetModel();
}

QString GridModel::text(int row, int column) const
{
    if (!m_rows || row < 0 || row >= rowCount() || column < 0)
        return QString();
    return m_rows->text(row, column);
}

RowVersion GridModel::version(int row) const
{
    if (!m_rows || row < 0 || row >= rowCount())
        return RowVersion();
    return m_rows->version(row);
}

bool GridModel::isChecked(int row) const
{
    return row >= 0 && size_t(row) < m_checked.size() && m_checked[row];
}

void GridModel::setChecked(int row, bool checked)
{
    if (row < 0 || size_t(row) >= m_checked.size() || bool(m_checked[row]) == checked)
        return;
    m_checked[row] = checked;
    const QModelIndex cell = index(row, 0);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
    emit checkedChanged(row, checked);
}

void GridModel::setAllChecked(bool checked)
{
    if (rowCount() == 0)
        return;
    std::fill(m_checked.begin(), m_checked.end(), char(checked));
    emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_rows ? 0 : m_rows->rowCount();
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns.at(index.column()).alignment | Qt::AlignVCenter);
    case Qt::FontRole:
        if (m_bold.contains(index.column())) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        break;
    case Qt::CheckStateRole:
        if (m_checkable && index.column() == 0)
            return isChecked(index.row()) ? Qt::Checked : Qt::Unchecked;
        break;
    default:
        break;
    }
    return QVariant();
}

bool GridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_checkable || role != Qt::CheckStateRole || index.column() != 0)
        return false;
    setChecked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_columns.at(section).header;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns.at(section).alignment | Qt::AlignVCenter);
    return QVariant();
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_checkable && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}
