#include "gridfill.h"

#include "gridlist.h"
#include "keyedrows.h"
#include "resultrows.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "store/skipfailure.h"
#include "store/tablechanges.h"

namespace {

QString amountText(const Field &amount)
{
    return amount.isNull() ? QString() : amount.toMoney().plainText();
}

// The register's tables the statement names.
QStringList tablesRead(const QString &sql)
{
    static const QStringList registerTables = [] {
        QStringList names;
        for (const TableDefinition &table : schema::tables())
            names << table.name;
        return names;
    }();
    return TableChanges::named(sql, registerTables);
}

}

void fillGrid(GridList &list, Connection &connection, const QList<GridColumn> &columns, const QString &sql, int amountColumn,
              AmountWeight weight)
{
    const std::shared_ptr<const GridRows> before = list.rowsRead();
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
    const GridList::Source read = [&connection, sql, formats]() -> std::shared_ptr<const GridRows> {
        if (auto keyed = KeyedRows::open(connection, sql, formats))
            return keyed;
        return std::make_shared<ResultRows>(Recordset(connection, sql).rows(), formats);
    };
    list.setSource(read, tablesRead(sql));
    std::shared_ptr<const GridRows> rows;
    skipFailure([&] {
        if (before)
            rows = before->withAdditions(connection, sql);
        if (!rows)
            rows = read();
    });
    if (rows)
        list.setRows(rows);
}
