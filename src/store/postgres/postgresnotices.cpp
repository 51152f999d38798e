#include "postgresengine.h"

#include "store/schema.h"

#include <libpq-fe.h>

int PostgresEngine::noticeSocket() const
{
    return m_connection && PQstatus(m_connection) == CONNECTION_OK ? PQsocket(m_connection) : -1;
}

void PostgresEngine::readNotices()
{
    // A session the server dropped is told at the next action, which
    // connects again.
    if (!m_connection || PQconsumeInput(m_connection) == 0)
        return;
    const int own = PQbackendPID(m_connection);
    while (PGnotify *notice = PQnotifies(m_connection)) {
        const QString table = QString::fromUtf8(notice->extra);
        if (!m_changed.contains(table))
            m_changed << table;
        if (notice->be_pid != own && !m_elsewhere.contains(table))
            m_elsewhere << table;
        PQfreemem(notice);
    }
}

void PostgresEngine::noteAnyChange()
{
    if (!m_changed.contains(QStringLiteral("*")))
        m_changed << QStringLiteral("*");
}

QStringList PostgresEngine::takeNotices()
{
    readNotices();
    return std::exchange(m_elsewhere, {});
}

bool PostgresEngine::tellsChangesOf(const QString &table) const
{
    // The archive's triggers announce the commits of the kept tables.
    return schema::historyKept().contains(table, Qt::CaseInsensitive);
}

SeenChanges PostgresEngine::takeChanges()
{
    readNotices();
    // This session's own writes are told at their commit; until then any
    // table it reads may hold them.
    if (!m_writing.isEmpty())
        noteAnyChange();
    return {std::exchange(m_changed, {}), {}};
}
