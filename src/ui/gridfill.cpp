#include "gridfill.h"

#include "gridlist.h"
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
    std::shared_ptr<const ResultTable> rows;
    skipFailure([&] { rows = Recordset(connection, sql).rows(); });
    list.setColumns(columns);
    list.setAmountColumn(amountColumn);
    QHash<int, ResultRows::Format> formats;
    if (amountColumn >= 0) {
        if (weight == AmountWeight::Bold)
            list.setBoldColumns({amountColumn});
        formats.insert(amountColumn, amountText);
    }
    if (rows)
        list.setRows(std::make_shared<ResultRows>(rows, formats));
}
