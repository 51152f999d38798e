#include "picklists.h"

#include "store/recordset.h"
#include "store/skipfailure.h"
#include "store/sqltext.h"
#include "ui/dropdown.h"
#include "ui/dropdownfill.h"

namespace picklists {

void fill(DropDown &list, Connection &connection, const QString &sql, const QString &nameColumn)
{
    skipFailure([&] { fillEntries(list, connection, sql, nameColumn); });
}

std::optional<QList<Field>> lookUp(Connection &connection, const DropDown &list, const QString &sqlUpToName)
{
    const auto rows = Recordset(connection, sqlUpToName + likeLiteral(list.text()) + QStringLiteral("' ORDER BY ID")).rows();
    if (rows->rowCount() == 0)
        return std::nullopt;
    const QVariant picked = list.entryId();
    const int id = rows->columnIndex(QStringLiteral("ID"));
    int row = 0;
    for (int r = 0; picked.isValid() && r < rows->rowCount(); ++r)
        if (rows->field(r, id).toInteger() == picked.toLongLong()) {
            row = r;
            break;
        }
    QList<Field> fields;
    for (int c = 0; c < rows->columnCount(); ++c)
        fields << rows->field(row, c);
    return fields;
}

}
