#include "clientrecords.h"

#include "store/connection.h"
#include "store/recordset.h"

namespace clientrecords {

namespace {

void assign(Recordset &record, const ColumnValues &values)
{
    for (const auto &value : values)
        record.setField(value.first, value.second);
}

}

void insert(Connection &connection, const ColumnValues &values)
{
    Recordset record(connection, QStringLiteral("Soggetti"));
    record.addNew();
    assign(record, values);
    record.update();
    record.close();
}

int update(Connection &connection, qint64 id, const RowVersion &loaded, const ColumnValues &values)
{
    Recordset record(connection, QStringLiteral("Select * from Soggetti where ID = ?"), {id});
    record.expect(loaded.of(id));
    if (record.recordCount() == 0)
        return 0;
    assign(record, values);
    const int written = record.update();
    record.close();
    return written;
}

int remove(Connection &connection, qint64 id, const RowVersion &loaded)
{
    return connection.executeOnLoaded(QStringLiteral("DELETE * FROM Soggetti WHERE ID= ?;"), {id}, loaded.of(id));
}

bool codeExists(Connection &connection, const QString &code)
{
    const QString trimmed = code.trimmed();
    return Recordset(connection,
                     QStringLiteral("SELECT CODICE,PIVA FROM Soggetti WHERE TRIM(codice) = ? COLLATE ITALIAN "
                                    "OR TRIM(PIVA) = ? COLLATE ITALIAN"),
                     {trimmed, trimmed})
               .recordCount()
        > 0;
}

}
