#pragma once

#include "sheet.h"

#include <QString>
#include <QStringList>

class ZipParts;

// The sheets of an XLSX or ODS workbook, as their cells show: texts as
// written, dates as "dd/mm/yyyy", numbers with a decimal comma and no
// thousands (what the import reads them back from). A formula cell gives the
// value its program last worked out.
namespace xlsxfile {

QStringList sheetNames(const ZipParts &parts);
// The named sheet, or the first one; a StoreError when there is none so named.
Sheet sheet(const ZipParts &parts, const QString &name);

}

namespace odsfile {

QStringList sheetNames(const ZipParts &parts);
Sheet sheet(const ZipParts &parts, const QString &name);

}

namespace cellvalues {

// A number as the cells show it to the import: "1234,5", "-3", "12345678901".
QString number(double value);
// The sheet asked for among those found, or a StoreError naming them.
int indexOfSheet(const QStringList &names, const QString &name);

}
