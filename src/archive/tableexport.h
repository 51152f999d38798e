#pragma once

#include <QList>
#include <QStringList>

// A list as a window shows it, taken to a spreadsheet: its headers, its rows
// as shown and, where it has an amount column, a totals row.
namespace tableexport {

enum class Format { Xlsx, Csv };

struct Table
{
    QStringList headers;
    QList<QStringList> rows;
    int amountColumn = -1; // amounts as shown ("1234,50"), or none
};

// The table as a CSV file's bytes: ";", UTF-8 with BOM, a totals row.
QByteArray csvBytes(const Table &table);
// Writes the file, whole or not at all (never over an existing one); a
// StoreError says why not.
void write(const Table &table, Format format, const QString &path);

}
