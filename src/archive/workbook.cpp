#include "workbook.h"

#include "store/storeerror.h"

Workbook::Workbook(const QString &path) : book(workbook_new(path.toUtf8().constData()))
{
    if (!book)
        throw StoreError(QStringLiteral("il file %1 non può essere scritto").arg(path));
    heading = workbook_add_format(book);
    format_set_bold(heading);
    euro = workbook_add_format(book);
    format_set_num_format(euro, "#,##0.00 \"€\"");
}
