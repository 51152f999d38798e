#pragma once

#include "gridcolumn.h"
#include "gridrows.h"

#include <QSet>
#include <QStringList>
#include <QTableView>
#include <functional>
#include <memory>

class GridModel;
class Messages;
class QLineEdit;
class QTimer;

// What a list shows, as its export writes it: the headers and rows of the
// columns shown (hidden ones left out), and which of them holds amounts.
struct ShownList
{
    QStringList headers;
    QList<QStringList> rows;
    int amountColumn = -1;
};

// The grid list in report view: column headers with widths in twips, one row
// per record whose text (column 0) is the record's ID and whose sub-items are
// the further columns, bold columns, and optionally a tick box per row.
// A click on a header sorts by that column (again: the other way), and
// typing in the list opens its "Cerca" field, which keeps the rows holding
// the text; the list's own order and all its rows come back at its next
// fill. Ticks and selection stay with their rows throughout. A column is
// widened to its widest value on screen while the list has room; a width
// the user gives a column is kept for that list from one run to the next.
class GridList : public QTableView
{
    Q_OBJECT

public:
    explicit GridList(QWidget *parent = nullptr);

    // Removes rows and headers, then sets the new headers.
    void setColumns(const QList<GridColumn> &columns);
    void setRows(std::shared_ptr<const GridRows> rows);
    // The rows as the last fill read them, before any arrangement.
    std::shared_ptr<const GridRows> rowsRead() const { return m_read; }
    // How the rows are read again, and the tables they come from: another
    // desk's change of one of them reads the list again in place.
    using Source = std::function<std::shared_ptr<const GridRows>()>;
    void setSource(Source read, const QStringList &tables);
    // Reads the rows again when the list comes from one of the tables ("*"
    // for any), keeping the selection, the ticks and the scroll position
    // on the rows still there.
    void refreshAfter(const QStringList &changedTables);
    void setBoldColumns(const QSet<int> &columns);
    // The column of amounts, which an export totals; none after setColumns().
    void setAmountColumn(int column) { m_amountColumn = column; }
    ShownList shown() const;
    // How every list's "Esporta in Excel..." and "Esporta in CSV..." (its
    // context menu) write their file, and the messages they speak through,
    // given by the program; without them the exports do nothing. The
    // writer throws a StoreError when it cannot.
    enum class ExportFormat { Xlsx, Csv };
    using Exporter = std::function<void(const ShownList &list, ExportFormat format, const QString &path)>;
    static void setExport(Messages *messages, Exporter exporter);
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

    QLineEdit *findField() const { return m_find; }
    // Sorts by the column, as a click on its header does.
    void sortBy(int column);
    // Keeps the rows where a column shown holds the text, as the "Cerca"
    // field does when the typing pauses; all rows for an empty text.
    void findRows(const QString &text);

signals:
    void rowClicked(int row);
    void checkedChanged(int row, bool checked);

protected:
    void keyboardSearch(const QString &search) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void exportChosen(ExportFormat format);
    void closeFind();
    // Shows the rows read, as the user arranged them.
    void arrange();
    // Puts rows in place of those shown, keeping ticks, selection and the
    // current row on the rows still there, and the scroll position if asked.
    void replaceRows(std::shared_ptr<const GridRows> rows, bool keepScroll);
    void placeFindField();
    void fitColumns();
    void setWidthOf(int column, int width);
    QString widthKey(int column) const;

    GridModel *m_model;
    int m_amountColumn = -1;
    Source m_source;
    QStringList m_sourceTables;
    std::shared_ptr<const GridRows> m_read; // as the fill read them
    RowArrangement m_arrangement;
    QSet<QString> m_hiddenTicks; // ticked rows the search leaves out
    QLineEdit *m_find;
    QTimer *m_findDelay;
    bool m_sizing = false; // the list sets a width, not the user
};
