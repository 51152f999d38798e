#include "importpreview.h"

#include "archive/tableexport.h"
#include "italianvalues.h"
#include "rowdraft.h"

#include <algorithm>

namespace importpreview {

namespace {

// A spreadsheet opening the file of rows to correct would run a cell that
// looks like a formula: it is kept as text, after an apostrophe.
QStringList harmless(QStringList cells)
{
    for (QString &cell : cells)
        if (italianvalues::looksLikeFormula(cell.trimmed()))
            cell.prepend(QLatin1Char('\''));
    return cells;
}

}

qsizetype Preview::errors() const
{
    return std::count_if(rows.begin(), rows.end(), [](const Row &row) { return !row.error.isEmpty(); });
}

Preview build(Connection &connection, importfields::Table table, const Sheet &sheet, const importfields::Mapping &mapping,
              bool duplicatesAllowed)
{
    Preview preview;
    preview.table = table;
    preview.duplicatesAllowed = duplicatesAllowed;
    preview.headers = sheet.headers;
    for (int column = 0; column < sheet.headers.size(); ++column)
        if (mapping.value(column, -1) < 0)
            preview.leftOut << (sheet.headers.at(column).isEmpty() ? QStringLiteral("(colonna %1 senza nome)").arg(column + 1)
                                                                   : sheet.headers.at(column));
    switch (table) {
    case importfields::Table::Clients:
        importrows::clients(connection, sheet, mapping, preview);
        break;
    case importfields::Table::Reasons:
    case importfields::Table::Operators:
        importrows::names(connection, sheet, mapping, preview);
        break;
    case importfields::Table::Services:
        importrows::services(connection, sheet, mapping, preview);
        break;
    }
    return preview;
}

void saveErrors(const Preview &preview, const QString &path)
{
    tableexport::Table table{QStringList{QStringLiteral("Riga"), QStringLiteral("Errore")} + preview.headers, {}};
    for (const Row &row : preview.rows)
        if (!row.error.isEmpty())
            table.rows << QStringList{QString::number(row.number), row.error} + harmless(row.source);
    tableexport::write(
        table, path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive) ? tableexport::Format::Xlsx : tableexport::Format::Csv,
        path);
}

}
