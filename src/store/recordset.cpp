#include "recordset.h"

#include "columnrules.h"
#include "connection.h"
#include "statement.h"
#include "storeerror.h"
#include "valueconversion.h"

#include <QRegularExpression>

namespace {

// A source that is one name, maybe bracketed: the table itself.
QString bareTableName(const QString &source)
{
    QStringView name = QStringView(source).trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    if (name.isEmpty())
        return QString();
    for (const QChar c : name)
        if (!c.isLetterOrNumber() && c != QLatin1Char('_'))
            return QString();
    return name.toString();
}

// "SELECT ... FROM <table> [WHERE|ORDER ...]" on one table, no joins.
QString singleSourceTable(const QString &sql)
{
    static const QRegularExpression from(
        QStringLiteral("^\\s*select\\s.*?\\sfrom\\s+\\[?(\\w+)\\]?\\s*(?:$|;|where\\b|order\\b)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto m = from.match(sql);
    return m.hasMatch() ? m.captured(1) : QString();
}

}

Recordset::Recordset(Connection &connection, const QString &source, const QList<QVariant> &values) : m_connection(&connection)
{
    m_table = bareTableName(source);
    if (!m_table.isEmpty()) {
        connection.columnsOf(m_table); // an unknown table fails at open, as a query would
        return;
    }
    Statement statement(connection, connection.translated(source));
    statement.bindAll(values);
    m_rows = ResultTable::read(statement);
    m_query = source;
}

const QString &Recordset::writtenTable()
{
    if (m_table.isEmpty())
        m_table = singleSourceTable(m_query);
    if (m_table.isEmpty())
        throw StoreError(QStringLiteral("il recordset è di sola lettura"));
    return m_table;
}

const ResultTable &Recordset::table()
{
    if (!m_rows) {
        Statement statement(*m_connection, m_connection->translated("SELECT * FROM [" + m_table + "]"));
        m_rows = ResultTable::read(statement);
    }
    return *m_rows;
}

int Recordset::recordCount()
{
    return table().rowCount();
}

bool Recordset::eof()
{
    return m_current >= table().rowCount();
}

void Recordset::moveNext()
{
    if (eof())
        throw StoreError(QStringLiteral("nessun record successivo"));
    ++m_current;
    m_changes.clear();
    m_adding = false;
}

int Recordset::positionOf(const QString &name)
{
    const int position = table().columnIndex(name);
    if (position < 0)
        throw StoreError(QStringLiteral("il campo %1 non è nel recordset").arg(name));
    return position;
}

Field Recordset::fields(int position)
{
    if (eof())
        throw StoreError(QStringLiteral("nessun record corrente"));
    if (position < 0 || position >= table().columnCount())
        throw StoreError(QStringLiteral("il campo %1 non è nel recordset").arg(position));
    return table().field(m_current, position);
}

Field Recordset::fields(const QString &name)
{
    return fields(positionOf(name));
}

int Recordset::fieldCount()
{
    return table().columnCount();
}

QString Recordset::fieldName(int position)
{
    return table().columnName(position);
}

void Recordset::expect(const RowVersion &loaded)
{
    m_loaded = loaded;
    if (eof() && !loaded.isEmpty())
        loaded.refuse(*m_connection, writtenTable());
}

void Recordset::addNew()
{
    writtenTable();
    m_adding = true;
    m_changes.clear();
}

const ColumnDefinition &Recordset::columnOf(const QString &name)
{
    for (const auto &column : m_connection->columnsOf(writtenTable()))
        if (column.name.compare(name, Qt::CaseInsensitive) == 0)
            return column;
    throw StoreError(QStringLiteral("il campo %1 non esiste nella tabella %2").arg(name, m_table));
}

void Recordset::setField(const QString &name, const QVariant &value)
{
    const ColumnDefinition &column = columnOf(name);
    if (column.name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
        throw StoreError(QStringLiteral("il campo ID è assegnato dal database"));
    if (!m_adding)
        fields(positionOf(QStringLiteral("ID"))); // a current row to change is needed
    const StoredValue stored = toStoredValue(value, column.type, column.name);
    // A value kept as it was stored (an old, longer IBAN) is not judged again.
    const int position = m_adding ? -1 : table().columnIndex(column.name);
    const bool unchanged = position >= 0 && table().stored(m_current, position) == stored;
    if (!unchanged)
        columnrules::check(m_table, column.name, stored);
    for (auto &change : m_changes)
        if (change.first == column.name) {
            change.second = stored;
            return;
        }
    m_changes.append({column.name, stored});
}

int Recordset::update()
{
    const QString table = QLatin1Char('[') + writtenTable() + QLatin1Char(']');
    QStringList names;
    for (const auto &change : m_changes)
        names << QLatin1Char('[') + change.first + QLatin1Char(']');
    QString sql;
    if (m_adding) {
        sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                              : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(table, names.join(QLatin1Char(',')),
                                         QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(',')));
    } else {
        if (m_changes.isEmpty())
            return 0;
        sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE ID = ?").arg(table, names.join(QStringLiteral(" = ?, ")))
            + m_loaded.condition(m_connection->columnsOf(m_table));
    }
    Statement statement(*m_connection, m_connection->translated(sql));
    int position = 1;
    for (const auto &change : m_changes)
        statement.bind(position++, change.second);
    if (!m_adding) {
        statement.bind(position++, StoredValue::ofInteger(fields(QStringLiteral("ID")).toInteger()));
        m_loaded.bind(statement, position, m_connection->columnsOf(m_table));
    }
    const int written = statement.run();
    if (written == 0 && !m_adding && !m_loaded.isEmpty())
        m_loaded.refuse(*m_connection, m_table);
    m_changes.clear();
    m_adding = false;
    return written;
}

void Recordset::close()
{
    m_rows.reset();
    m_changes.clear();
    m_loaded = RowVersion();
    m_adding = false;
    m_current = 0;
    m_table.clear();
    m_query.clear();
}

std::shared_ptr<const ResultTable> Recordset::rows()
{
    table();
    return m_rows;
}
