#include "keyedrows.h"

#include "store/connection.h"
#include "store/recordset.h"
#include "store/skipfailure.h"

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
    static const QRegularExpression grouped(QStringLiteral(R"(\b(DISTINCT|DISTINCTROW|TOP|JOIN|GROUP|UNION|HAVING|LIMIT)\b|^\s*,)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto match = plain.match(sql);
    if (!match.hasMatch() || grouped.match(match.captured(1)).hasMatch() || grouped.match(match.captured(3)).hasMatch())
        return nullptr;
    std::shared_ptr<KeyedRows> rows(new KeyedRows(connection, match.captured(1), match.captured(2), formats));
    rows->m_keys = connection.keysOf(QStringLiteral("SELECT ID FROM ") + rows->m_table + match.captured(3));
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
        read = Recordset(m_connection, QStringLiteral("SELECT %1, ID FROM %2 WHERE ID IN (%3)")
                                           .arg(m_select, m_table, keys.join(QLatin1Char(','))))
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
