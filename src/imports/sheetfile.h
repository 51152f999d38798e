#pragma once

#include "sheet.h"

#include <QString>
#include <QStringList>

// A file the office brings its data in: a CSV text, an XLSX or an ODS
// workbook, told apart by what the file holds, not by its name. Anything
// else, and a broken workbook, is a StoreError that says what the file is.
namespace sheetfile {

struct Read
{
    Sheet sheet;
    QString form; // "CSV (UTF-8, separatore \";\")", "XLSX, foglio \"Clienti\""
    QStringList sheets; // a workbook's sheets, in order; none for a CSV
};

// The named sheet of a workbook, or its first one.
Read read(const QString &path, const QString &sheetName = QString());

}
