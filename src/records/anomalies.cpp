#include "anomalies.h"

#include "store/recordset.h"
#include "store/skipfailure.h"

QString anomalies::statement()
{
    return QStringLiteral(
        "SELECT * FROM PRESTAZIONI WHERE  ISNULL(ID_CL) OR ISNULL(ID_OPER) OR ISNULL(ID_CAUS)  ORDER BY CLIENTE ;");
}

bool anomalies::exist(Connection &connection)
{
    bool found = false;
    skipFailure([&] {
        Recordset services(connection, statement());
        found = !services.eof();
        services.close();
    });
    return found;
}

qint64 anomalies::count(Connection &connection)
{
    qint64 found = 0;
    skipFailure([&] {
        found = Recordset(connection, QStringLiteral("SELECT count(*) FROM PRESTAZIONI WITH (INDEX(PRESTAZIONI_ANOMALIE)) "
                                                     "WHERE ID_CL IS NULL OR ID_OPER IS NULL OR ID_CAUS IS NULL"))
                    .fields(0)
                    .toInteger();
    });
    return found;
}
