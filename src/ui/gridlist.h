#pragma once

#include "gridcolumn.h"
#include "gridrows.h"

#include <QTableView>
#include <memory>

class GridModel;

// The grid list in report view: column headers with widths in twips, one row
// per record whose text (column 0) is the record's ID and whose sub-items are
// the further columns, bold columns, and optionally a tick box per row.
class GridList : public QTableView
{
    Q_OBJECT

public:
    explicit GridList(QWidget *parent = nullptr);

    // Removes rows and headers, then sets the new headers.
    void setColumns(const QList<GridColumn> &columns);
    void setRows(std::shared_ptr<const GridRows> rows);
    void setBoldColumns(const QSet<int> &columns);
    void setCheckBoxes(bool enabled);
    void clear();

    int count() const;
    QString rowText(int row) const;
    QString subItem(int row, int index) const;
    // Every cell of the row, the row text first.
    QStringList cells(int row) const;
    // The row's record as the list read it.
    RowVersion rowVersion(int row) const;
    QString header(int column) const;
    // The first selected row, or -1.
    int selectedRow() const;

    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    void setAllChecked(bool checked);

    GridModel *gridModel() const { return m_model; }

    static int pixelsFromTwips(int twips, int dotsPerInch);

signals:
    void rowClicked(int row);
    void checkedChanged(int row, bool checked);

private:
    GridModel *m_model;
};
