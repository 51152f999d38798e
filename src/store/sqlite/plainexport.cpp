#include "store/plainexport.h"

#include "sqliteerror.h"
#include "store/connection.h"
#include "store/resulttable.h"
#include "store/storeerror.h"

#include <QLocale>
#include <sqlite3.h>

namespace plainexport {

namespace {

void check(sqlite3 *db, int rc)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE)
        throw sqlite::errorOf(rc, sqlite3_errmsg(db));
}

void bindField(sqlite3 *db, sqlite3_stmt *insert, int position, const Field &field)
{
    switch (field.kind()) {
    case Field::Kind::Null:
        check(db, sqlite3_bind_null(insert, position));
        return;
    case Field::Kind::Integer:
        check(db, sqlite3_bind_int64(insert, position, field.toInteger()));
        return;
    case Field::Kind::Money: // euros, as any tool reads an amount
        check(db, sqlite3_bind_double(insert, position, double(field.toMoney().cents()) / 100));
        return;
    case Field::Kind::Date: {
        const QByteArray iso = field.toDate().toString(Qt::ISODate).toUtf8();
        check(db, sqlite3_bind_text(insert, position, iso.constData(), int(iso.size()), SQLITE_TRANSIENT));
        return;
    }
    case Field::Kind::Real:
    case Field::Kind::Text:
        break;
    }
    if (field.kind() == Field::Kind::Real) {
        bool ok = false;
        const double value = QLocale(QLocale::Italian, QLocale::Italy).toDouble(field.text(), &ok);
        check(db, sqlite3_bind_double(insert, position, value));
        return;
    }
    const QByteArray text = field.text().toUtf8();
    check(db, sqlite3_bind_text(insert, position, text.constData(), int(text.size()), SQLITE_TRANSIENT));
}

const char *plainType(ColumnType type)
{
    switch (type) {
    case ColumnType::Integer:
        return "INTEGER";
    case ColumnType::Number:
    case ColumnType::Money:
        return "REAL";
    default:
        return "TEXT";
    }
}

void fillPlain(sqlite3 *db, Connection &store)
{
    check(db, sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr));
    for (const QString &table : store.tableNames()) {
        QStringList columns;
        for (const ColumnDefinition &column : store.columnsOf(table))
            columns << column.name + QLatin1Char(' ')
                    + (columns.isEmpty() && column.name == QLatin1String("ID") ? QStringLiteral("INTEGER PRIMARY KEY")
                                                                               : QLatin1String(plainType(column.type)));
        const QByteArray create = QStringLiteral("CREATE TABLE %1 (%2)").arg(table, columns.join(QStringLiteral(", "))).toUtf8();
        check(db, sqlite3_exec(db, create.constData(), nullptr, nullptr, nullptr));
        const auto rows = store.tableRows(table);
        const QByteArray sql = QStringLiteral("INSERT INTO %1 VALUES (%2)")
                                   .arg(table, QStringList(rows->columnCount(), QStringLiteral("?")).join(QLatin1Char(',')))
                                   .toUtf8();
        sqlite3_stmt *insert = nullptr;
        check(db, sqlite3_prepare_v2(db, sql.constData(), -1, &insert, nullptr));
        try {
            for (int r = 0; r < rows->rowCount(); ++r) {
                for (int c = 0; c < rows->columnCount(); ++c)
                    bindField(db, insert, c + 1, rows->field(r, c));
                check(db, sqlite3_step(insert));
                sqlite3_reset(insert);
            }
        } catch (...) {
            sqlite3_finalize(insert);
            throw;
        }
        sqlite3_finalize(insert);
    }
    check(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr));
}

}

void write(Connection &store, const QString &path)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    try {
        check(db, rc);
        fillPlain(db, store);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

}
