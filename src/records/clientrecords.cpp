#include "clientrecords.h"

#include "store/connection.h"
#include "store/recordset.h"
#include "taxcodes/vatnumber.h"

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
    // The same code written otherwise is the same client: blanks, case, a
    // VAT number with or without "IT".
    const QString written = normalizedCode(code);
    const QString digits = vatnumber::canonical(code);
    const QString stored = QStringLiteral("REPLACE(REPLACE(UPPER(%1), ' ', ''), 'IT', '')");
    return Recordset(connection,
                     QStringLiteral("SELECT CODICE,PIVA FROM Soggetti WHERE REPLACE(UPPER(codice), ' ', '') = ? "
                                    "COLLATE ITALIAN OR %1 = ? OR %2 = ?")
                         .arg(stored.arg(QStringLiteral("PIVA")), stored.arg(QStringLiteral("codice"))),
                     {written, digits, digits})
               .recordCount()
        > 0;
}

}
