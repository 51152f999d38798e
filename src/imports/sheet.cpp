#include "sheet.h"

#include "store/storeerror.h"

#include <algorithm>

namespace sheetrows {

namespace {

bool isBlank(const QStringList &cells)
{
    return std::all_of(cells.begin(), cells.end(), [](const QString &cell) { return cell.trimmed().isEmpty(); });
}

}

Sheet fromRows(QList<SheetRow> rows)
{
    rows.removeIf([](const SheetRow &row) { return isBlank(row.cells); });
    if (rows.isEmpty())
        throw StoreError(QStringLiteral("il file non contiene righe da importare"), StoreError::Kind::Invalid);
    Sheet sheet;
    sheet.headers = rows.takeFirst().cells;
    for (QString &header : sheet.headers)
        header = header.simplified();
    sheet.rows = std::move(rows);
    return sheet;
}

}
