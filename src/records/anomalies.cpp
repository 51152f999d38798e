#include "anomalies.h"

#include "store/recordset.h"
#include "store/skipfailure.h"

namespace {

// The services whose link points past every row of its table, or into a
// gap between two of its rows, where deleted rows were. Each range is read
// through the link's index, so the check costs the gaps, not the register.
QString pointingNowhere(const char *link, const char *table)
{
    return QStringLiteral("SELECT P.ID FROM PRESTAZIONI P, (SELECT S.ID AS A, (SELECT min(ID) FROM %2 WHERE ID > S.ID) AS B "
                          "FROM %2 S WHERE NOT EXISTS (SELECT 1 FROM %2 N WHERE N.ID = S.ID + 1)) G "
                          "WHERE P.%1 > G.A AND P.%1 < G.B "
                          "UNION SELECT ID FROM PRESTAZIONI WHERE %1 > COALESCE((SELECT max(ID) FROM %2), 0) "
                          "OR %1 < (SELECT min(ID) FROM %2)")
        .arg(QLatin1String(link), QLatin1String(table));
}

// The ids of every anomaly, once each.
QString anomalyIds()
{
    return QStringLiteral("SELECT ID FROM PRESTAZIONI WITH (INDEX(PRESTAZIONI_ANOMALIE)) "
                          "WHERE ID_CL IS NULL OR ID_OPER IS NULL OR ID_CAUS IS NULL UNION ")
        + pointingNowhere("ID_CL", "SOGGETTI") + QStringLiteral(" UNION ") + pointingNowhere("ID_OPER", "OPERATORE")
        + QStringLiteral(" UNION ") + pointingNowhere("ID_CAUS", "CAUSALE");
}

}

QString anomalies::statement()
{
    return QStringLiteral("SELECT * FROM PRESTAZIONI WHERE ID IN (%1) ORDER BY CLIENTE, ID ;").arg(anomalyIds());
}

bool anomalies::exist(Connection &connection)
{
    return count(connection) > 0;
}

qint64 anomalies::count(Connection &connection)
{
    qint64 found = 0;
    skipFailure([&] {
        found = Recordset(connection, QStringLiteral("SELECT count(*) FROM (%1) X").arg(anomalyIds())).fields(0).toInteger();
    });
    return found;
}
