#include "gridfill.h"

#include "gridlist.h"
#include "keyedrows.h"
#include "resultrows.h"
#include "store/recordset.h"
#include "store/skipfailure.h"

namespace {

QString amountText(const Field &amount)
{
    return amount.isNull() ? QString() : amount.toMoney().plainText();
}

}

void fillGrid(GridList &list, Connection &connection, const QList<GridColumn> &columns, const QString &sql,
              int amountColumn, AmountWeight weight)
{
    list.setColumns(columns);
    list.setAmountColumn(amountColumn);
    QHash<int, ResultRows::Format> formats;
    if (amountColumn >= 0) {
        if (weight == AmountWeight::Bold)
            list.setBoldColumns({amountColumn});
        formats.insert(amountColumn, amountText);
    }
    // A plain selection from one table is read as the list shows it; the
    // others are small lists, read whole.
    std::shared_ptr<const GridRows> rows;
    skipFailure([&] {
        rows = KeyedRows::open(connection, sql, formats);
        if (!rows)
            rows = std::make_shared<ResultRows>(Recordset(connection, sql).rows(), formats);
    });
    if (rows)
        list.setRows(rows);
}
