#include "sqlitestatement.h"

#include "sqliteengine.h"
#include "sqliteerror.h"
#include "sqlitetypes.h"

#include <sqlite3.h>

SqliteStatement::SqliteStatement(SqliteEngine &engine, const QByteArray &sql) : m_engine(engine), m_db(engine.handle())
{
    if (!m_db)
        throw StoreError(QStringLiteral("il database non è aperto"));
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &m_stmt, &tail);
    if (rc != SQLITE_OK)
        fail(rc);
    if (!m_stmt)
        throw StoreError(QStringLiteral("istruzione vuota"));
    if (!QByteArray(tail).trimmed().isEmpty()) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw StoreError(QStringLiteral("una sola istruzione per comando"));
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::bind(int position, const StoredValue &value)
{
    int rc = SQLITE_OK;
    switch (value.kind) {
    case StoredValue::Kind::Null:
        rc = sqlite3_bind_null(m_stmt, position);
        break;
    case StoredValue::Kind::Integer:
        rc = sqlite3_bind_int64(m_stmt, position, value.integer);
        break;
    case StoredValue::Kind::Real:
        rc = sqlite3_bind_double(m_stmt, position, value.real);
        break;
    case StoredValue::Kind::Text:
        rc = sqlite3_bind_text(m_stmt, position, value.text.constData(), int(value.text.size()), SQLITE_TRANSIENT);
        break;
    }
    if (rc != SQLITE_OK)
        fail(rc);
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(rc);
}

int SqliteStatement::changes() const
{
    return sqlite3_changes(m_db);
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString SqliteStatement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

ColumnType SqliteStatement::columnType(int column) const
{
    return sqlite::typeOfDeclaration(sqlite3_column_decltype(m_stmt, column));
}

EngineCell SqliteStatement::cell(int column) const
{
    EngineCell cell;
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        cell.kind = StoredValue::Kind::Integer;
        cell.integer = sqlite3_column_int64(m_stmt, column);
        break;
    case SQLITE_FLOAT:
        cell.kind = StoredValue::Kind::Real;
        cell.real = sqlite3_column_double(m_stmt, column);
        break;
    case SQLITE_NULL:
        break;
    default:
        cell.kind = StoredValue::Kind::Text;
        cell.text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
        cell.length = sqlite3_column_bytes(m_stmt, column);
        break;
    }
    return cell;
}

void SqliteStatement::fail(int code) const
{
    const int extended = sqlite3_extended_errcode(m_db) ? sqlite3_extended_errcode(m_db) : code;
    const StoreError error = sqlite::errorOf(extended, sqlite3_errmsg(m_db));
    const QString file = m_engine.location();
    if (error.isDamage()) {
        m_engine.markDamaged();
        throw StoreError(QStringLiteral("l'archivio %1 è danneggiato o illeggibile: %2").arg(file, error.message()),
                         StoreError::Kind::Damage);
    }
    if ((extended & 0xff) == SQLITE_READONLY && m_engine.isDamaged())
        throw StoreError(QStringLiteral("l'archivio %1 è danneggiato: in questa sessione non vi si scrive più").arg(file),
                         StoreError::Kind::Damage);
    throw error;
}
