#pragma once

#include "resultrows.h"

#include <QCache>
#include <QString>
#include <vector>

class Connection;

// The rows of a query over one table, read as the list shows them. The
// query runs once for the keys (ID) of its rows, in its own order, so the
// count is exact and a tick stays with its record; the rows themselves are
// read by key, a block at a time, when the list first needs them. Time and
// memory follow the rows on screen, not the size of the register.
class KeyedRows : public GridRows
{
public:
    // None when the statement is not a plain selection from one table
    // (DISTINCT, GROUP BY, a join or a union read as before); a StoreError
    // when it fails.
    static std::shared_ptr<KeyedRows> open(Connection &connection, const QString &sql,
                                           const QHash<int, ResultRows::Format> &formats);

    int rowCount() const override { return int(m_keys.size()); }
    QString text(int row, int column) const override;
    RowVersion version(int row) const override;
    // The store sorts and searches: the keys alone are read again, in the
    // order asked, so a million rows cost what the query costs.
    std::shared_ptr<const GridRows> arranged(const RowArrangement &how) const override;
    // The rows this desk added since, of those the statement selects, each
    // put in its place by asking the store about a few of the keys: after
    // an insert, a list of a million rows is not read again.
    std::shared_ptr<const GridRows> withAdditions(Connection &connection, const QString &sql) const override;

private:
    struct Block
    {
        std::shared_ptr<ResultRows> rows;
        std::vector<int> at; // the row of each key of the block in rows, or -1 once deleted
    };

    KeyedRows(Connection &connection, QString select, QString table, QHash<int, ResultRows::Format> formats);
    const Block &blockOf(int row) const;
    // The stored column each list column shows, by name.
    QStringList columnNames() const;
    QString findCondition(const RowArrangement &how) const;
    static QString tiedByKey(const QString &order);
    // The statement's own condition, and this one too.
    QString conditionWith(const QString &more) const;
    // Where the row goes among the keys by the statement's order.
    size_t placeOf(qint64 key) const;

    Connection &m_connection;
    QString m_sql; // the whole statement, where it reads this table alone
    quint64 m_readAt = 0; // the table's count of changes when its keys were read
    QString m_select; // the statement's column list
    QString m_table;
    QString m_condition; // "WHERE ..." of the statement, or empty
    QString m_order; // "ORDER BY ..." of the statement, or empty
    QHash<int, ResultRows::Format> m_formats;
    bool m_keyFirst = false; // column 0 is the key itself
    std::vector<qint64> m_keys;
    mutable QCache<int, Block> m_blocks;
};
