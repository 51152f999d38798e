#include "archiveexport.h"

#include "tableexport.h"
#include "workbook.h"
#include "store/connection.h"
#include "store/durablefile.h"
#include "store/plainexport.h"
#include "store/resulttable.h"
#include "store/storeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace archiveexport {

namespace {

// A value as an Italian spreadsheet reads it: amounts "1234,50", dates dd/MM/yyyy.
QString shownValue(const Field &field)
{
    return field.kind() == Field::Kind::Money ? field.toMoney().plainText() : field.text();
}

QByteArray csvOf(Connection &store, const QString &table)
{
    const auto rows = store.tableRows(table);
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

QStringList writeSqlite(Connection &store, const QString &path)
{
    durablefile::make(path, [&](const QString &partial) { plainexport::write(store, partial); });
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
        const auto rows = store.tableRows(table);
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
                    worksheet_write_number(sheet, row, col, QLocale(QLocale::Italian, QLocale::Italy).toDouble(field.text()),
                                           nullptr);
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
