#pragma once

#include "gridcolumn.h"
#include "gridrows.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSet>
#include <memory>
#include <vector>

// The model behind a grid list: column headers, rows from a GridRows source,
// bold columns and, where the list has them, a tick box per row.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit GridModel(QObject *parent = nullptr);

    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return m_columns; }
    void setRows(std::shared_ptr<const GridRows> rows);
    void clearRows();
    void setBoldColumns(const QSet<int> &columns);
    void setCheckable(bool checkable);
    bool isCheckable() const { return m_checkable; }

    QString text(int row, int column) const;
    RowVersion version(int row) const;
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    // Ticks or unticks every row at once (one change for the whole list).
    void setAllChecked(bool checked);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // One row's tick changed, by the user or by setChecked().
    void checkedChanged(int row, bool checked);

private:
    QList<GridColumn> m_columns;
    std::shared_ptr<const GridRows> m_rows;
    QSet<int> m_bold;
    bool m_checkable = false;
    std::vector<char> m_checked;
};
