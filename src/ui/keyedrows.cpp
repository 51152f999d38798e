#include "keyedrows.h"

#include "arrangedrows.h"
#include "datefield.h"
#include "store/connection.h"
#include "store/recordset.h"
#include "store/skipfailure.h"
#include "store/sqltext.h"

#include <QRegularExpression>

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
    rows->m_keys = connection.keysOf(QStringLiteral("SELECT ID FROM ") + rows->m_table + match.captured(3));
    static const QRegularExpression orderBy(QStringLiteral(R"(\bORDER\s+BY\b)"), QRegularExpression::CaseInsensitiveOption);
    QString rest = match.captured(3).trimmed();
    while (rest.endsWith(QLatin1Char(';')))
        rest = rest.chopped(1).trimmed();
    const qsizetype order = rest.lastIndexOf(orderBy);
    rows->m_condition = order < 0 ? rest : rest.left(order).trimmed();
    rows->m_order = order < 0 ? QString() : rest.mid(order);
    return rows;
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

std::shared_ptr<const GridRows> KeyedRows::arranged(const RowArrangement &how) const
{
    QString condition = m_condition;
    if (!how.find.trimmed().isEmpty()) {
        static const QRegularExpression where(QStringLiteral(R"(^WHERE\s+)"), QRegularExpression::CaseInsensitiveOption);
        const QString own = QString(m_condition).remove(where);
        condition = QStringLiteral("WHERE ") + (own.isEmpty() ? QString() : QLatin1Char('(') + own + QStringLiteral(") AND "))
            + QLatin1Char('(') + findCondition(how) + QLatin1Char(')');
    }
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
