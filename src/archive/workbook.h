#pragma once

#include <QString>
#include <xlsxwriter.h>

// A new XLSX workbook with the formats every export of the program shares:
// bold headings and amounts in euro. A StoreError when it can't be made.
struct Workbook
{
    explicit Workbook(const QString &path);
    // Writes the workbook out; a StoreError when its file is not whole (the
    // writer does not tell a disk that filled up).
    void close() const;

    QString path;
    lxw_workbook *book;
    lxw_format *heading;
    lxw_format *euro;
};
