#include "bulkbilling.h"

#include "archive/billingruns.h"
#include "store/connection.h"
#include "store/recordset.h"
#include "store/transaction.h"

#include <QStringList>

namespace {

// Ids per statement: well inside the engine's limit on statement length.
constexpr int Batch = 500;

}

BulkBilled billServices(Connection &connection, const QList<qint64> &ticked, const QDate &billingDate)
{
    BulkBilled billed;
    Transaction transaction(connection);
    QStringList ids;
    for (qint64 id : ticked)
        ids << QString::number(id);
    // Kept as a run, so that a billing of the wrong month can be undone.
    const qint64 run = billingruns::begin(connection, QString::fromLatin1(billingruns::massPanel));
    for (int from = 0; from < ids.size(); from += Batch) {
        // Another desk billing some of them is waited for, so the run keeps
        // only what this one bills; one billed elsewhere since the list was
        // filled is left alone, and counted.
        const QString batch = QStringLiteral("ID IN (%1)").arg(ids.mid(from, Batch).join(QLatin1Char(',')));
        // By their keys: the file's planner would otherwise walk the index of
        // every unbilled service, for each batch, to find these 500.
        const QString unbilled = QStringLiteral("PARC LIKE 'N' AND ") + batch;
        connection.lockRows(QStringLiteral("PRESTAZIONI"), batch);
        billingruns::keepBilling(connection, run, unbilled, billingDate);
        const int written = connection.execute(
            QStringLiteral("UPDATE PRESTAZIONI WITH (INDEX(0)) SET DATAP = ?, PARC = 'S' WHERE ") + unbilled, {billingDate});
        // Counted only when some were not written: billed now, the batch's
        // services billed elsewhere are those beyond this desk's.
        if (const qsizetype asked = std::min<qsizetype>(Batch, ids.size() - from); written < asked)
            billed.billedElsewhere +=
                int(Recordset(connection,
                              QStringLiteral("SELECT count(*) FROM PRESTAZIONI WITH (INDEX(0)) WHERE PARC NOT LIKE 'N' AND ")
                                  + batch)
                        .fields(0)
                        .toInteger())
                - written;
    }
    billed.run = billingruns::finish(connection, run);
    transaction.commit();
    return billed;
}
