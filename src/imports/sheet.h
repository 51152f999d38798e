#pragma once

#include <QList>
#include <QStringList>

// What an import reads from a file: the first row that holds anything as
// the headers, and the rows below it, each with its number as the file's
// own program shows it (the header is row 1 when the file starts with it).
struct SheetRow
{
    int number = 0;
    QStringList cells;
};

struct Sheet
{
    QStringList headers;
    QList<SheetRow> rows;
};

namespace sheetrows {

// The sheet from rows as read (empty ones left out), or a StoreError when
// no row holds anything.
Sheet fromRows(QList<SheetRow> rows);

}
