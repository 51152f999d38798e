#include "billingruns.h"

#include "store/connection.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "store/storeerror.h"
#include "store/transaction.h"

namespace billingruns {

namespace {

QString now()
{
    return QDateTime::currentDateTime().toString(Qt::ISODate);
}

// The run's rows of the services the condition selects, by key: their
// columns as they are now, and what the change leaves where it is known.
void keepRows(Connection &connection, qint64 run, const QString &after, const QString &where, const QList<QVariant> &values)
{
    connection.execute(QStringLiteral("INSERT INTO PARCELLAZIONI_RIGHE (ID_PARC, ID_PREST, PARC_PRIMA, DATAP_PRIMA, NR_PRIMA, "
                                      "PARC_DOPO, DATAP_DOPO, NR_DOPO) "
                                      "SELECT %1, ID, PARC, DATAP, NR, %2 FROM PRESTAZIONI WITH (INDEX(0)) WHERE ")
                               .arg(run)
                               .arg(after)
                           + where,
                       values);
}

}

qint64 begin(Connection &connection, const QString &panel)
{
    schema::ensureBillingRuns(connection);
    connection.execute(QStringLiteral("INSERT INTO PARCELLAZIONI (QUANDO, PANNELLO) VALUES (?, ?)"), {now(), panel});
    return connection.lastInsertId();
}

void keep(Connection &connection, qint64 run, const QString &where, const QList<QVariant> &values)
{
    keepRows(connection, run, QStringLiteral("NULL, NULL, NULL"), where, values);
}

void keepBilling(Connection &connection, qint64 run, const QString &where, const QDate &billingDate)
{
    keepRows(connection, run, QStringLiteral("'S', ?, NR"), where, {billingDate});
}

Run finish(Connection &connection, qint64 run)
{
    // A billing always leaves a PARC: rows without one were kept before a
    // change not known in advance.
    connection.execute(
        QStringLiteral("UPDATE PARCELLAZIONI_RIGHE SET PARC_DOPO = (SELECT PARC FROM PRESTAZIONI WHERE ID = ID_PREST), "
                       "DATAP_DOPO = (SELECT DATAP FROM PRESTAZIONI WHERE ID = ID_PREST), "
                       "NR_DOPO = (SELECT NR FROM PRESTAZIONI WHERE ID = ID_PREST) WHERE ID_PARC = ? AND PARC_DOPO IS NULL"),
        {run});
    // Rows the billing did not change are not part of the run.
    connection.execute(QStringLiteral("DELETE FROM PARCELLAZIONI_RIGHE WHERE ID_PARC = ? AND PARC_PRIMA IS PARC_DOPO "
                                      "AND DATAP_PRIMA IS DATAP_DOPO AND NR_PRIMA IS NR_DOPO"),
                       {run});
    connection.execute(
        QStringLiteral("UPDATE PARCELLAZIONI SET PRESTAZIONI = (SELECT count(*) FROM PARCELLAZIONI_RIGHE WHERE ID_PARC = ?1), "
                       "TOTALE = (SELECT total(IMPORTO) FROM PRESTAZIONI WHERE ID IN "
                       "(SELECT ID_PREST FROM PARCELLAZIONI_RIGHE WHERE ID_PARC = ?1)) WHERE ID = ?1"),
        {run});
    Recordset made(connection, QStringLiteral("SELECT PANNELLO, PRESTAZIONI, TOTALE FROM PARCELLAZIONI WHERE ID = ?"), {run});
    return {run, QDateTime(), made.fields(0).text(), int(made.fields(1).toInteger()), qint64(made.fields(2).toInteger()), {}};
}

QList<Run> recent(Connection &connection, int most)
{
    QList<Run> runs;
    if (!connection.hasAll({QStringLiteral("PARCELLAZIONI")}))
        return runs;
    Recordset rows(connection,
                   QStringLiteral("SELECT ID, QUANDO, PANNELLO, PRESTAZIONI, TOTALE, ANNULLATA FROM PARCELLAZIONI "
                                  "WHERE PRESTAZIONI > 0 ORDER BY ID DESC LIMIT ?"),
                   {most});
    for (; !rows.eof(); rows.moveNext())
        runs.append({rows.fields(0).toInteger(), QDateTime::fromString(rows.fields(1).text(), Qt::ISODate), rows.fields(2).text(),
                     int(rows.fields(3).toInteger()), qint64(rows.fields(4).toInteger()),
                     QDateTime::fromString(rows.fields(5).text(), Qt::ISODate)});
    return runs;
}

Undone undo(Connection &connection, qint64 run)
{
    Transaction transaction(connection);
    schema::ensureBillingRuns(connection);
    Recordset state(connection, QStringLiteral("SELECT ANNULLATA FROM PARCELLAZIONI WHERE ID = ?"), {run});
    if (state.eof() || !state.fields(0).isNull())
        throw StoreError(QStringLiteral("la parcellazione %1 è già stata annullata").arg(run));
    Undone undone;
    // Services changed since the run (billed again, unbilled by hand) stay as they are.
    Recordset changed(connection,
                      QStringLiteral("SELECT r.ID_PREST FROM PARCELLAZIONI_RIGHE r LEFT JOIN PRESTAZIONI p ON p.ID = r.ID_PREST "
                                     "WHERE r.ID_PARC = ? AND NOT (p.PARC IS r.PARC_DOPO AND p.DATAP IS r.DATAP_DOPO "
                                     "AND p.NR IS r.NR_DOPO) ORDER BY r.ID_PREST"),
                      {run});
    for (; !changed.eof(); changed.moveNext())
        undone.changedSince << changed.fields(0).toInteger();
    // The run's services by their keys, each reaching its own row of the run
    // through the index: time in proportion to the run, not the register.
    undone.restored = connection.execute(
        QStringLiteral(
            "UPDATE PRESTAZIONI SET "
            "PARC = (SELECT PARC_PRIMA FROM PARCELLAZIONI_RIGHE r WHERE r.ID_PARC = ?1 AND r.ID_PREST = PRESTAZIONI.ID), "
            "DATAP = (SELECT DATAP_PRIMA FROM PARCELLAZIONI_RIGHE r WHERE r.ID_PARC = ?1 AND r.ID_PREST = PRESTAZIONI.ID), "
            "NR = (SELECT NR_PRIMA FROM PARCELLAZIONI_RIGHE r WHERE r.ID_PARC = ?1 AND r.ID_PREST = PRESTAZIONI.ID) "
            "WHERE ID IN (SELECT ID_PREST FROM PARCELLAZIONI_RIGHE WHERE ID_PARC = ?1) "
            "AND EXISTS (SELECT 1 FROM PARCELLAZIONI_RIGHE r WHERE r.ID_PARC = ?1 AND r.ID_PREST = PRESTAZIONI.ID "
            "AND PRESTAZIONI.PARC IS r.PARC_DOPO AND PRESTAZIONI.DATAP IS r.DATAP_DOPO AND PRESTAZIONI.NR IS r.NR_DOPO)"),
        {run});
    connection.execute(QStringLiteral("UPDATE PARCELLAZIONI SET ANNULLATA = ? WHERE ID = ?"), {now(), run});
    transaction.commit();
    return undone;
}

}
