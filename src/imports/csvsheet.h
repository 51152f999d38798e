#pragma once

#include "sheet.h"

#include <QByteArray>

// A CSV file as spreadsheets and other programs write it: ";", "," or tab
// between cells (the one that splits the first rows alike, or the one an
// Excel "sep=" line names), cells in double quotes holding separators,
// doubled quotes and line breaks. Text with control characters is not a
// CSV: a StoreError names the row.
namespace csvsheet {

struct Read
{
    Sheet sheet;
    QString encoding;
    QChar separator;
};

Read read(const QByteArray &bytes);

}
