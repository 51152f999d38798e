#include "postgresengine.h"

#include <libpq-fe.h>

int PostgresEngine::noticeSocket() const
{
    return m_connection && PQstatus(m_connection) == CONNECTION_OK ? PQsocket(m_connection) : -1;
}

QStringList PostgresEngine::takeNotices()
{
    QStringList tables;
    if (m_noticesMissed) {
        m_noticesMissed = false;
        tables << QStringLiteral("*");
    }
    // A session the server dropped is told at the next action, which
    // connects again.
    if (!m_connection || PQconsumeInput(m_connection) == 0)
        return tables;
    const int own = PQbackendPID(m_connection);
    while (PGnotify *notice = PQnotifies(m_connection)) {
        const QString table = QString::fromUtf8(notice->extra);
        if (notice->be_pid != own && !tables.contains(table))
            tables << table;
        PQfreemem(notice);
    }
    return tables;
}
