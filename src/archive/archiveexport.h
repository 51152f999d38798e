#pragma once

#include <QString>
#include <QStringList>

class Connection;

// The whole archive taken out of the program, for a spreadsheet or another
// program: every table with every row, dates as dates, amounts in euro.
namespace archiveexport {

enum class Format {
    Xlsx, // one workbook, a sheet per table
    Csv, // a file per table in a folder: ";", decimal comma, UTF-8 with BOM
    Sqlite, // a plain SQLite file: no key, no collation of the program's
};

// Writes the export at the destination (a file, or for CSV a folder) and
// returns the files written. An existing file is never overwritten; a
// StoreError says why nothing was written.
QStringList write(Connection &store, Format format, const QString &destination);

}
