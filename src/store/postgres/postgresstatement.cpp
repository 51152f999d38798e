#include "postgresstatement.h"

#include "postgresengine.h"

#include <QLocale>
#include <libpq-fe.h>

namespace {

// The server's types as libpq numbers them (pg_type.h).
enum TypeOid : Oid {
    Bool = 16,
    Name = 19,
    Int8 = 20,
    Int2 = 21,
    Int4 = 23,
    Text = 25,
    Oid_ = 26,
    Float4 = 700,
    Float8 = 701,
    Unknown = 705,
    Varchar = 1043,
    Numeric = 1700
};

bool isText(Oid type)
{
    return type == Text || type == Varchar || type == Name || type == Unknown || type == 0;
}

bool isWhole(const char *text, int length)
{
    for (int i = 0; i < length; ++i)
        if (text[i] == '.' || text[i] == 'e' || text[i] == 'E' || text[i] == 'N' || text[i] == 'I')
            return false;
    return true;
}

qint64 wholeNumber(const char *text)
{
    const bool negative = *text == '-';
    qint64 value = 0;
    for (const char *p = text + (negative ? 1 : 0); *p >= '0' && *p <= '9'; ++p)
        value = value * 10 + (*p - '0');
    return negative ? -value : value;
}

// The table of "INSERT INTO table ...", or empty.
QString insertedTable(const QByteArray &sql)
{
    const QList<QByteArray> words = sql.simplified().split(' ');
    if (words.size() < 3 || words.at(0).toUpper() != "INSERT" || words.at(1).toUpper() != "INTO")
        return QString();
    QByteArray table = words.at(2);
    table = table.left(table.indexOf('(') < 0 ? table.size() : table.indexOf('('));
    table.replace('"', "");
    return QString::fromUtf8(table);
}

bool insertsIntoKeyedTable(const QByteArray &sql)
{
    const QString table = insertedTable(sql);
    if (table.isEmpty() || sql.toUpper().contains(" RETURNING "))
        return false;
    const TableDefinition *definition = schema::definitionNamed(table);
    return definition && definition->keyed;
}
}

PostgresStatement::PostgresStatement(PostgresEngine &engine, const QByteArray &sql)
    : m_engine(engine), m_sql(sql), m_returnsId(insertsIntoKeyedTable(sql))
{
    if (m_returnsId)
        m_sql += " RETURNING id";
    // Prepared now, so a statement the server refuses is refused here.
    m_engine.prepared(m_sql);
}

PostgresStatement::~PostgresStatement()
{
    PQclear(m_result);
}

void PostgresStatement::bind(int position, const StoredValue &value)
{
    if (position < 1)
        return;
    if (m_values.size() < size_t(position))
        m_values.resize(size_t(position));
    m_values[size_t(position - 1)] = value;
}

void PostgresStatement::execute() const
{
    if (m_executed)
        return;
    m_executed = true;
    const PostgresEngine::Prepared prepared = m_engine.prepared(m_sql);
    std::vector<QByteArray> texts(m_values.size());
    std::vector<const char *> values(m_values.size(), nullptr);
    for (size_t i = 0; i < m_values.size(); ++i) {
        const StoredValue &v = m_values[i];
        switch (v.kind) {
        case StoredValue::Kind::Null:
            continue;
        case StoredValue::Kind::Text:
            // An empty field of a number or a date is no value, as the file
            // reads it.
            if (v.text.isEmpty() && !isText(prepared.valueTypes.value(qsizetype(i))))
                continue;
            texts[i] = v.text;
            break;
        case StoredValue::Kind::Integer:
            texts[i] = QByteArray::number(v.integer);
            break;
        case StoredValue::Kind::Real:
            texts[i] = QByteArray::number(v.real, 'g', QLocale::FloatingPointShortest);
            break;
        }
        values[i] = texts[i].constData();
    }
    m_result = PQexecPrepared(m_engine.handle(), prepared.name.constData(), int(values.size()), values.data(), nullptr, nullptr,
                              0);
    const ExecStatusType status = PQresultStatus(m_result);
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        PGresult *failed = m_result;
        m_result = nullptr;
        m_engine.fail(failed);
    }
    m_changes = QByteArray(PQcmdTuples(m_result)).toInt();
    m_rows = PQntuples(m_result);
    if (m_returnsId) {
        if (m_rows > 0)
            m_engine.setLastInsertId(wholeNumber(PQgetvalue(m_result, m_rows - 1, 0)));
        m_rows = 0;
    }
    const int columns = PQnfields(m_result);
    m_readings.assign(size_t(columns), Reading::Text);
    m_columns.assign(size_t(columns), nullptr);
    for (int c = 0; c < columns; ++c) {
        m_columns[size_t(c)] = m_engine.columnOf(PQftable(m_result, c), PQftablecol(m_result, c));
        switch (PQftype(m_result, c)) {
        case Int2:
        case Int4:
        case Int8:
        case Oid_:
            m_readings[size_t(c)] = Reading::Integer;
            break;
        case Float4:
        case Float8:
        case Numeric:
            m_readings[size_t(c)] = Reading::Number;
            break;
        case Bool:
            m_readings[size_t(c)] = Reading::Boolean;
            break;
        default:
            break;
        }
    }
}

bool PostgresStatement::step()
{
    execute();
    return ++m_row < m_rows;
}

void PostgresStatement::reset()
{
    PQclear(m_result);
    m_result = nullptr;
    m_executed = false;
    m_values.clear();
    m_row = -1;
    m_rows = 0;
    m_changes = 0;
}

int PostgresStatement::columnCount() const
{
    execute();
    return PQnfields(m_result);
}

QString PostgresStatement::columnName(int column) const
{
    execute();
    if (const ColumnDefinition *known = m_columns[size_t(column)])
        return known->name;
    return QString::fromUtf8(PQfname(m_result, column));
}

ColumnType PostgresStatement::columnType(int column) const
{
    execute();
    const ColumnDefinition *known = m_columns[size_t(column)];
    return known ? known->type : ColumnType::Unknown;
}

EngineCell PostgresStatement::cell(int column) const
{
    EngineCell cell;
    if (PQgetisnull(m_result, m_row, column))
        return cell;
    const char *text = PQgetvalue(m_result, m_row, column);
    const int length = PQgetlength(m_result, m_row, column);
    switch (m_readings[size_t(column)]) {
    case Reading::Integer:
        cell.kind = StoredValue::Kind::Integer;
        cell.integer = wholeNumber(text);
        break;
    case Reading::Number:
        // A whole number reads back as one, as the file keeps it.
        if (isWhole(text, length)) {
            cell.kind = StoredValue::Kind::Integer;
            cell.integer = wholeNumber(text);
        } else {
            cell.kind = StoredValue::Kind::Real;
            cell.real = QByteArray::fromRawData(text, length).toDouble();
        }
        break;
    case Reading::Boolean:
        cell.kind = StoredValue::Kind::Integer;
        cell.integer = *text == 't' ? 1 : 0;
        break;
    case Reading::Text:
        cell.kind = StoredValue::Kind::Text;
        cell.text = text;
        cell.length = length;
        break;
    }
    return cell;
}
