#include "workbook.h"

#include "store/storeerror.h"

#include <QFile>

Workbook::Workbook(const QString &target) : path(target), book(workbook_new(target.toUtf8().constData()))
{
    if (!book)
        throw StoreError(QStringLiteral("il file %1 non può essere scritto").arg(path));
    heading = workbook_add_format(book);
    format_set_bold(heading);
    euro = workbook_add_format(book);
    format_set_num_format(euro, "#,##0.00 \"€\"");
}

void Workbook::close() const
{
    const bool closed = workbook_close(book) == LXW_NO_ERROR;
    // A whole XLSX file ends with the zip's closing record, written last.
    QFile file(path);
    const bool whole = closed && file.open(QIODevice::ReadOnly) && file.size() >= 22 && file.seek(file.size() - 22)
        && file.read(4) == QByteArray("PK\x05\x06", 4);
    if (!whole)
        throw StoreError(QStringLiteral("il file %1 non può essere scritto per intero").arg(path));
}
