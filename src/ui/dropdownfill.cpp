#include "dropdownfill.h"

#include "dropdown.h"
#include "store/recordset.h"

void fillEntries(DropDown &list, Connection &connection, const QString &sql, const QString &column, const QStringList &first,
                 NullValues nulls)
{
    list.clearEntries();
    const auto rows = Recordset(connection, sql).rows();
    const int name = rows->columnIndex(column);
    const int id = rows->columnIndex(QStringLiteral("ID"));
    for (const QString &entry : first)
        list.addEntry(entry);
    for (int r = 0; r < rows->rowCount(); ++r) {
        const Field value = rows->field(r, name);
        if (nulls == NullValues::Skipped && value.isNull())
            continue;
        if (id < 0)
            list.addEntry(value.text());
        else
            list.addEntry(value.text(), rows->field(r, id).toInteger());
    }
}
