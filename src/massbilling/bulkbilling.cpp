#include "bulkbilling.h"

#include "archive/billingruns.h"
#include "store/connection.h"
#include "store/transaction.h"

#include <QStringList>

namespace {

// Ids per statement: well inside the engine's limit on statement length.
constexpr int Batch = 500;

}

billingruns::Run billServices(Connection &connection, const QList<qint64> &ticked, const QDate &billingDate)
{
    Transaction transaction(connection);
    QStringList ids;
    for (qint64 id : ticked)
        ids << QString::number(id);
    // Kept as a run, so that a billing of the wrong month can be undone.
    const qint64 run = billingruns::begin(connection, QString::fromLatin1(billingruns::massPanel));
    for (int from = 0; from < ids.size(); from += Batch) {
        // Only rows still unbilled change: one billed elsewhere since the
        // list was filled is left alone.
        const QString unbilled = QStringLiteral("PARC LIKE 'N' AND ID IN (%1)").arg(ids.mid(from, Batch).join(QLatin1Char(',')));
        billingruns::keep(connection, run, unbilled);
        connection.execute(QStringLiteral("UPDATE PRESTAZIONI SET DATAP = ?, PARC = 'S' WHERE ") + unbilled, {billingDate});
    }
    const billingruns::Run billed = billingruns::finish(connection, run);
    transaction.commit();
    return billed;
}
