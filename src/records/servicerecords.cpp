#include "servicerecords.h"

#include "store/connection.h"
#include "store/recordset.h"
#include "store/valueconversion.h"

namespace servicerecords {

namespace {

// The columns the editor writes, in the order it writes them; PARC comes
// in between on insert only.
void setColumns(Recordset &record, const ServiceEntry &entry, bool inserting)
{
    const QDate date = parseDayFirstDate(entry.date).value_or(QDate());
    record.setField("DATAR", entry.date);
    record.setField("CLIENTE", entry.client.toUpper());
    record.setField("CAUSALE", entry.reason);
    record.setField("GG", entry.days);
    record.setField("ORE", entry.hours);
    record.setField("MIN", entry.minutes);
    record.setField("QTA", entry.quantity);
    record.setField("IMPORTO", entry.amount);
    if (inserting)
        record.setField("PARC", QStringLiteral("N"));
    record.setField("DATAP", entry.billingDate);
    record.setField("NR", entry.billNumber);
    record.setField("NOTE", entry.notes);
    record.setField("ANNO", date.isValid() ? QVariant(date.year()) : QVariant());
    record.setField("MESE", date.isValid() ? QVariant(date.month()) : QVariant());
    record.setField("ID_OPER", entry.operatorId);
    record.setField("ID_CAUS", entry.reasonId);
    record.setField("ID_CL", entry.clientId);
    record.setField("OPERATORE", entry.operatorName.toUpper());
    record.setField("AGG", QDate::currentDate());
}

}

void insert(Connection &connection, const ServiceEntry &entry)
{
    Recordset record(connection, QStringLiteral("PRESTAZIONI"));
    record.addNew();
    setColumns(record, entry, true);
    record.update();
    record.close();
}

int update(Connection &connection, qint64 id, const RowVersion &loaded, const ServiceEntry &entry)
{
    Recordset record(connection, QStringLiteral("Select * from PRESTAZIONI where ID = ?"), {id});
    record.expect(loaded.of(id));
    if (record.eof())
        return 0;
    setColumns(record, entry, false);
    const int written = record.update();
    record.close();
    return written;
}

int remove(Connection &connection, qint64 id, const RowVersion &loaded)
{
    return connection.executeOnLoaded(QStringLiteral("DELETE * FROM PRESTAZIONI WHERE ID= ?;"), {id}, loaded.of(id));
}

QString billNumberTaken(Connection &connection, const QString &number, const QDate &date, qint64 service)
{
    if (number.trimmed().isEmpty())
        return QString();
    Recordset other(connection,
                    QStringLiteral("SELECT min(CLIENTE) FROM PRESTAZIONI WHERE PARC = 'S' AND NR = ? AND DATAP >= ? "
                                   "AND DATAP <= ? AND CLIENTE <> (SELECT CLIENTE FROM PRESTAZIONI WHERE ID = ?)"),
                    {number.trimmed(), QDate(date.year(), 1, 1), QDate(date.year(), 12, 31), service});
    return other.fields(0).text();
}

}
