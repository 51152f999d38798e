#include "bulkbilling.h"

#include "store/connection.h"
#include "store/transaction.h"

#include <QStringList>

namespace {

// Ids per statement: well inside the engine's limit on statement length.
constexpr int Batch = 500;

}

int billServices(Connection &connection, const QList<qint64> &ticked, const QDate &billingDate)
{
    Transaction transaction(connection);
    QStringList ids;
    for (qint64 id : ticked)
        ids << QString::number(id);
    int billed = 0;
    for (int from = 0; from < ids.size(); from += Batch)
        // Only rows still unbilled change: one billed elsewhere since the
        // list was filled is left alone.
        billed += connection.execute(
            QStringLiteral("UPDATE PRESTAZIONI SET DATAP = ?, PARC = 'S' WHERE PARC LIKE 'N' AND ID IN (%1)")
                .arg(ids.mid(from, Batch).join(QLatin1Char(','))),
            {billingDate});
    transaction.commit();
    return billed;
}
