#pragma once

#include <QString>
#include <xlsxwriter.h>

// A new XLSX workbook with the formats every export of the program shares:
// bold headings and amounts in euro. A StoreError when it can't be made.
struct Workbook
{
    explicit Workbook(const QString &path);

    lxw_workbook *book;
    lxw_format *heading;
    lxw_format *euro;
};
