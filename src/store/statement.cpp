#include "statement.h"

#include "damage.h"
#include "storeerror.h"
#include "valueconversion.h"

#include <sqlite3.h>

Statement::Statement(sqlite3 *db, const QByteArray &sql)
    : m_db(db)
{
    if (!db)
        throw StoreError(QStringLiteral("il database non è aperto"));
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &m_stmt, &tail);
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

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bind(int position, const StoredValue &value)
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

void Statement::bindAll(const QList<QVariant> &values)
{
    int position = 1;
    for (const QVariant &value : values) {
        const bool whole = value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong;
        const bool date = value.typeId() == QMetaType::QDate;
        bind(position++, value.isNull() ? StoredValue::null()
                         : whole        ? StoredValue::ofInteger(value.toLongLong())
                         : date         ? StoredValue::ofText(isoDate(value.toDate()))
                                        : StoredValue::ofText(value.toString().toUtf8()));
    }
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(rc);
}

int Statement::run()
{
    while (step()) {
    }
    return sqlite3_changes(m_db);
}

qint64 Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void Statement::fail(int code) const
{
    const int extended = sqlite3_extended_errcode(m_db) ? sqlite3_extended_errcode(m_db) : code;
    const StoreError error = StoreError::fromSqlite(extended, sqlite3_errmsg(m_db));
    const QString file = QString::fromUtf8(sqlite3_db_filename(m_db, "main"));
    if (error.isDamage()) {
        damage::markStore(m_db);
        throw StoreError(QStringLiteral("l'archivio %1 è danneggiato o illeggibile: %2").arg(file, error.message()),
                         StoreError::Kind::Damage);
    }
    if ((extended & 0xff) == SQLITE_READONLY && damage::isMarked(m_db))
        throw StoreError(QStringLiteral("l'archivio %1 è danneggiato: in questa sessione non vi si scrive più").arg(file),
                         StoreError::Kind::Damage);
    throw error;
}
