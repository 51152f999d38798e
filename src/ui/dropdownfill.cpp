#include "dropdownfill.h"

#include "dropdown.h"
#include "store/connection.h"
#include "store/recordset.h"

void fillEntries(DropDown &list, Connection &connection, const QString &sql, const QString &column, const QStringList &first,
                 NullValues nulls)
{
    const QString source = QStringList{sql, column, first.join(QLatin1Char('\n')), QString::number(int(nulls))}.join(QChar(0x1f));
    const quint64 changeCount = connection.changeCount(sql);
    if (list.takeBackEntries(source, changeCount)) {
        list.setText(QString());
        return;
    }
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
    list.setFilledFrom(source, changeCount);
}
