#include "keyedrows.h"

#include "arrangedrows.h"
#include "datefield.h"
#include "store/connection.h"
#include "store/recordset.h"
#include "store/skipfailure.h"
#include "store/sqltext.h"
#include "store/tablechanges.h"

#include <QRegularExpression>
#include <bit>

namespace {

// Rows read together: a screen or two of a list.
constexpr int BlockRows = 64;
// Blocks kept: some thousands of rows, whatever the register's size.
constexpr int KeptBlocks = 64;

}

std::shared_ptr<KeyedRows> KeyedRows::open(Connection &connection, const QString &sql,
                                           const QHash<int, ResultRows::Format> &formats)
{
    static const QRegularExpression plain(QStringLiteral(R"(^\s*SELECT\s+(.+?)\s+FROM\s+(\w+)(\s.*)?$)"),
                                          QRegularExpression::CaseInsensitiveOption
                                              | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression grouped(
        QStringLiteral(R"(\b(DISTINCT|DISTINCTROW|TOP|JOIN|GROUP|UNION|HAVING|LIMIT)\b|^\s*,)"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = plain.match(sql);
    if (!match.hasMatch() || grouped.match(match.captured(1)).hasMatch() || grouped.match(match.captured(3)).hasMatch())
        return nullptr;
    std::shared_ptr<KeyedRows> rows(new KeyedRows(connection, match.captured(1), match.captured(2), formats));
    // Its rows depend on this table alone when its condition and order name
    // no other (its columns may share their names) and not the clock.
    const QStringList tables = schema::tableNames();
    QStringList others = TableChanges::named(match.captured(3), tables);
    others.removeIf([&](const QString &table) { return table.compare(rows->m_table, Qt::CaseInsensitive) == 0; });
    if (others.isEmpty() && !TableChanges::readBy(sql, tables).isEmpty()) {
        rows->m_sql = sql;
        rows->m_readAt = connection.changeCount(sql);
    }
    static const QRegularExpression orderBy(QStringLiteral(R"(\bORDER\s+BY\b)"), QRegularExpression::CaseInsensitiveOption);
    QString rest = match.captured(3).trimmed();
    while (rest.endsWith(QLatin1Char(';')))
        rest = rest.chopped(1).trimmed();
    const qsizetype order = rest.lastIndexOf(orderBy);
    rows->m_condition = order < 0 ? rest : rest.left(order).trimmed();
    rows->m_order = order < 0 ? QString() : tiedByKey(rest.mid(order));
    rows->m_keys = connection.keysOf(
        QStringLiteral("SELECT ID FROM %1 %2 %3").arg(rows->m_table, rows->m_condition, rows->m_order));
    return rows;
}

// Rows that tie on the statement's order come by key, in the direction of
// its last column: one order on the file and on a server, and the one the
// place of a row added is found by.
QString KeyedRows::tiedByKey(const QString &order)
{
    static const QRegularExpression keyLast(QStringLiteral(R"(\bID(\s+(ASC|DESC))?\s*$)"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression descending(QStringLiteral(R"(\bDESC\s*$)"), QRegularExpression::CaseInsensitiveOption);
    if (order.contains(keyLast))
        return order;
    return order + (order.contains(descending) ? QStringLiteral(", ID DESC") : QStringLiteral(", ID"));
}

QStringList KeyedRows::columnNames() const
{
    if (m_select.trimmed() == QLatin1String("*")) {
        QStringList names;
        for (const ColumnDefinition &column : m_connection.columnsOf(m_table))
            names << column.name;
        return names;
    }
    QStringList names = m_select.split(QLatin1Char(','));
    for (QString &name : names)
        name = name.trimmed();
    return names;
}

// The rows where one of the columns searched holds the text: a text column
// containing it; a date, amount or number column equal to it when it reads
// as one.
QString KeyedRows::findCondition(const RowArrangement &how) const
{
    const QStringList names = columnNames();
    const QList<ColumnDefinition> &stored = m_connection.columnsOf(m_table);
    const QString find = how.find.trimmed();
    // The wildcards typed stand for themselves, one character each.
    QString pattern = doubledQuotes(find);
    for (const QChar wildcard : {QLatin1Char('%'), QLatin1Char('['), QLatin1Char(']')})
        pattern.replace(wildcard, QLatin1Char('_'));
    const QDate date = readTypedDate(find);
    const std::optional<double> number = cellNumber(find);
    QStringList any;
    for (int column : how.searched) {
        const QString name = names.value(column);
        const auto definition = std::find_if(stored.begin(), stored.end(), [&](const ColumnDefinition &c) {
            return c.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        const ColumnType type = name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0 ? ColumnType::Integer
            : definition == stored.end()                                                    ? ColumnType::Unknown
                                                                                            : definition->type;
        switch (type) {
        case ColumnType::Text:
            any << QStringLiteral("%1 LIKE '%%2%'").arg(name, pattern);
            break;
        case ColumnType::Date:
            if (date.isValid())
                any << QStringLiteral("%1 = #%2#").arg(name, date.toString(QStringLiteral("MM/dd/yyyy")));
            break;
        case ColumnType::Money: // kept in cents
            if (number)
                any << QStringLiteral("%1 = %2").arg(name).arg(qRound64(*number * 100));
            break;
        case ColumnType::Integer:
        case ColumnType::Number:
            if (number)
                any << QStringLiteral("%1 = %2").arg(name, QString::number(*number, 'f', 4));
            break;
        case ColumnType::Unknown:
            break;
        }
    }
    return any.isEmpty() ? QStringLiteral("1 = 0") : any.join(QStringLiteral(" OR "));
}

QString KeyedRows::conditionWith(const QString &more) const
{
    static const QRegularExpression where(QStringLiteral(R"(^WHERE\s+)"), QRegularExpression::CaseInsensitiveOption);
    const QString own = QString(m_condition).remove(where);
    return QStringLiteral("WHERE ") + (own.isEmpty() ? QString() : QLatin1Char('(') + own + QStringLiteral(") AND "))
        + QLatin1Char('(') + more + QLatin1Char(')');
}

std::shared_ptr<const GridRows> KeyedRows::arranged(const RowArrangement &how) const
{
    const QString condition = how.find.trimmed().isEmpty() ? m_condition : conditionWith(findCondition(how));
    QString order = m_order;
    if (how.column >= 0) {
        const QString name = columnNames().value(how.column);
        if (!name.isEmpty())
            order = QStringLiteral("ORDER BY %1%2, ID").arg(name, how.descending ? QStringLiteral(" DESC") : QString());
    }
    std::shared_ptr<KeyedRows> rows(new KeyedRows(m_connection, m_select, m_table, m_formats));
    rows->m_condition = condition;
    rows->m_order = order;
    // A search reads every row unless the list is one client's: the table
    // read straight through, and the few rows found sorted after, beat its
    // order's index read row by row.
    static const QRegularExpression oneClient(QStringLiteral(R"(\bID_CL\b)"), QRegularExpression::CaseInsensitiveOption);
    const QString through = how.find.trimmed().isEmpty() || m_condition.contains(oneClient) ? QString()
                                                                                            : QStringLiteral(" WITH (INDEX(0))");
    rows->m_keys = m_connection.keysOf(QStringLiteral("SELECT ID FROM %1%2 %3 %4").arg(m_table, through, condition, order));
    return rows;
}

std::shared_ptr<const GridRows> KeyedRows::withAdditions(Connection &connection, const QString &sql) const
{
    if (&connection != &m_connection || m_sql.isEmpty() || sql != m_sql)
        return nullptr;
    const auto added = m_connection.addedSince(m_table, m_readAt);
    if (!added)
        return nullptr;
    // A key is placed by asking the store about log2(rows) pairs, each
    // about the cost of reading 500 keys: past that, and a few dozen pairs
    // more, the list is read again.
    const size_t pairs = added->keys.size() * size_t(std::bit_width(m_keys.size()));
    if (pairs > 64 + m_keys.size() / 500)
        return nullptr;
    std::shared_ptr<KeyedRows> rows(new KeyedRows(m_connection, m_select, m_table, m_formats));
    rows->m_sql = m_sql;
    rows->m_readAt = added->count;
    rows->m_condition = m_condition;
    rows->m_order = m_order;
    rows->m_keys = m_keys;
    if (added->keys.empty())
        return rows;
    QStringList keys;
    for (qint64 key : added->keys)
        keys << QString::number(key);
    const QString selected = QStringLiteral("SELECT ID FROM %1 %2")
                                 .arg(m_table, conditionWith(QStringLiteral("ID IN (%1)").arg(keys.join(QLatin1Char(',')))));
    for (qint64 key : m_connection.keysOf(selected))
        rows->m_keys.insert(rows->m_keys.begin() + qsizetype(rows->placeOf(key)), key);
    return rows;
}

// The first key before which the row goes: a binary search that asks the
// store which of two rows the order puts first. Without an order, the rows
// come as stored, a new one last.
size_t KeyedRows::placeOf(qint64 key) const
{
    if (m_order.isEmpty())
        return m_keys.size();
    const auto precedes = [&](qint64 other) {
        const std::vector<qint64> first = m_connection.keysOf(
            QStringLiteral("SELECT ID FROM %1 WHERE ID IN (%2, %3) %4")
                .arg(m_table, QString::number(other), QString::number(key), m_order));
        return !first.empty() && first.front() == other;
    };
    return size_t(std::partition_point(m_keys.begin(), m_keys.end(), precedes) - m_keys.begin());
}

KeyedRows::KeyedRows(Connection &connection, QString select, QString table, QHash<int, ResultRows::Format> formats)
    : m_connection(connection), m_select(std::move(select)), m_table(std::move(table)), m_formats(std::move(formats)),
      m_blocks(KeptBlocks)
{
    static const QRegularExpression keyFirst(QStringLiteral(R"(^(\*|ID\s*(,|$)))"), QRegularExpression::CaseInsensitiveOption);
    m_keyFirst = keyFirst.match(m_select).hasMatch();
}

QString KeyedRows::text(int row, int column) const
{
    if (column == 0 && m_keyFirst)
        return QString::number(m_keys[size_t(row)]);
    const Block &block = blockOf(row);
    const int at = block.at[size_t(row % BlockRows)];
    return at < 0 ? QString() : block.rows->text(at, column);
}

RowVersion KeyedRows::version(int row) const
{
    const Block &block = blockOf(row);
    const int at = block.at[size_t(row % BlockRows)];
    return at < 0 ? RowVersion() : block.rows->version(at);
}

const KeyedRows::Block &KeyedRows::blockOf(int row) const
{
    const int number = row / BlockRows;
    if (const Block *kept = m_blocks.object(number))
        return *kept;
    const size_t first = size_t(number) * BlockRows;
    const size_t last = std::min(m_keys.size(), first + BlockRows);
    QStringList keys;
    for (size_t k = first; k < last; ++k)
        keys << QString::number(m_keys[k]);
    auto *block = new Block;
    block->at.assign(size_t(BlockRows), -1);
    // The key comes last, past the list's own columns. Rows that can't be
    // read show empty, as a fill skips what fails.
    std::shared_ptr<const ResultTable> read = ResultTable::empty();
    skipFailure([&] {
        read = Recordset(
                   m_connection,
                   QStringLiteral("SELECT %1, ID FROM %2 WHERE ID IN (%3)").arg(m_select, m_table, keys.join(QLatin1Char(','))))
                   .rows();
    });
    QHash<qint64, int> found;
    const int keyColumn = read->columnCount() - 1;
    for (int r = 0; r < read->rowCount(); ++r)
        found.insert(read->field(r, keyColumn).toInteger(), r);
    std::vector<int> order;
    for (size_t k = first; k < last; ++k)
        if (const auto at = found.constFind(m_keys[k]); at != found.constEnd()) {
            block->at[k - first] = int(order.size());
            order.push_back(*at);
        }
    block->rows = std::make_shared<ResultRows>(read->subset(order, std::max(keyColumn, 0)), m_formats);
    m_blocks.insert(number, block);
    return *block;
}
