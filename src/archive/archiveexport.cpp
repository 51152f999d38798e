#include "archiveexport.h"

#include "tableexport.h"
#include "workbook.h"
#include "store/connection.h"
#include "store/recordset.h"
#include "store/durablefile.h"
#include "store/storeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace archiveexport {

namespace {

// A table's rows in the order of their keys; a table without an ID (the
// rows of the billing runs) by its first two columns.
std::shared_ptr<const ResultTable> rowsOf(Connection &store, const QString &table)
{
    const bool keyed = store.columnsOf(table).first().name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0;
    return Recordset(store, QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, keyed ? QStringLiteral("ID") : QStringLiteral("1, 2")))
        .rows();
}

// A value as an Italian spreadsheet reads it: amounts "1234,50", dates dd/MM/yyyy.
QString shownValue(const Field &field)
{
    return field.kind() == Field::Kind::Money ? field.toMoney().plainText() : field.text();
}

QByteArray csvOf(Connection &store, const QString &table)
{
    const auto rows = rowsOf(store, table);
    tableexport::Table shown;
    for (int c = 0; c < rows->columnCount(); ++c)
        shown.headers << rows->columnName(c);
    for (int r = 0; r < rows->rowCount(); ++r) {
        QStringList values;
        for (int c = 0; c < rows->columnCount(); ++c)
            values << shownValue(rows->field(r, c));
        shown.rows << values;
    }
    return tableexport::csvBytes(shown);
}

// The files are written into a folder of their own and moved into the
// destination together once all are whole: an export is complete or absent.
QStringList writeCsv(Connection &store, const QString &folder)
{
    const QStringList tables = store.tableNames();
    QStringList written;
    for (const QString &table : tables) {
        written << QDir(folder).filePath(table + QStringLiteral(".csv"));
        if (QFileInfo::exists(written.last()))
            throw StoreError(QStringLiteral("il file %1 esiste già").arg(written.last()));
    }
    const auto fill = [&](const QString &into) {
        if (!QDir().mkpath(into))
            throw StoreError(QStringLiteral("la cartella %1 non può essere creata").arg(into));
        for (const QString &table : tables)
            durablefile::writeWhole(QDir(into).filePath(table + QStringLiteral(".csv")), csvOf(store, table));
    };
    if (!QFileInfo::exists(folder)) {
        durablefile::make(folder, fill);
        return written;
    }
    const QString staging = QDir(folder).filePath(QStringLiteral(".esportazione"));
    durablefile::make(staging, fill);
    QStringList moved;
    try {
        for (const QString &path : written) {
            durablefile::moveIntoPlace(QDir(staging).filePath(QFileInfo(path).fileName()), path);
            moved << path;
        }
    } catch (...) {
        for (const QString &path : moved)
            QFile::remove(path);
        QDir(staging).removeRecursively();
        throw;
    }
    QDir().rmdir(staging);
    return written;
}

void check(sqlite3 *db, int rc)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE)
        throw StoreError::fromSqlite(rc, sqlite3_errmsg(db));
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
        const auto rows = rowsOf(store, table);
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

QStringList writeSqlite(Connection &store, const QString &path)
{
    durablefile::make(path, [&](const QString &partial) {
        sqlite3 *db = nullptr;
        const int rc = sqlite3_open_v2(partial.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        try {
            check(db, rc);
            fillPlain(db, store);
        } catch (...) {
            sqlite3_close(db);
            throw;
        }
        sqlite3_close(db);
    });
    return {path};
}

void fillXlsx(Connection &store, const QString &path)
{
    const Workbook made(path);
    lxw_workbook *book = made.book;
    lxw_format *date = workbook_add_format(book);
    format_set_num_format(date, "dd/mm/yyyy");
    for (const QString &table : store.tableNames()) {
        lxw_worksheet *sheet = workbook_add_worksheet(book, table.left(31).toUtf8().constData());
        const auto rows = rowsOf(store, table);
        for (int c = 0; c < rows->columnCount(); ++c)
            worksheet_write_string(sheet, 0, lxw_col_t(c), rows->columnName(c).toUtf8().constData(), made.heading);
        for (int r = 0; r < rows->rowCount(); ++r)
            for (int c = 0; c < rows->columnCount(); ++c) {
                const Field field = rows->field(r, c);
                const auto row = lxw_row_t(r + 1);
                const auto col = lxw_col_t(c);
                switch (field.kind()) {
                case Field::Kind::Null:
                    break;
                case Field::Kind::Integer:
                    worksheet_write_number(sheet, row, col, double(field.toInteger()), nullptr);
                    break;
                case Field::Kind::Money:
                    worksheet_write_number(sheet, row, col, double(field.toMoney().cents()) / 100, made.euro);
                    break;
                case Field::Kind::Date: {
                    const QDate d = field.toDate();
                    lxw_datetime when{d.year(), d.month(), d.day(), 0, 0, 0};
                    worksheet_write_datetime(sheet, row, col, &when, date);
                    break;
                }
                case Field::Kind::Real:
                    worksheet_write_number(sheet, row, col,
                                           QLocale(QLocale::Italian, QLocale::Italy).toDouble(field.text()), nullptr);
                    break;
                case Field::Kind::Text:
                    worksheet_write_string(sheet, row, col, field.text().toUtf8().constData(), nullptr);
                    break;
                }
            }
    }
    made.close();
}

QStringList writeXlsx(Connection &store, const QString &path)
{
    durablefile::make(path, [&](const QString &partial) { fillXlsx(store, partial); });
    return {path};
}

}

QStringList write(Connection &store, Format format, const QString &destination)
{
    switch (format) {
    case Format::Xlsx:
        return writeXlsx(store, destination);
    case Format::Csv:
        return writeCsv(store, destination);
    case Format::Sqlite:
        break;
    }
    return writeSqlite(store, destination);
}

}
