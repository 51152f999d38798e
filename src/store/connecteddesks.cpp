#include "connecteddesks.h"

#include "connection.h"
#include "recordset.h"

#include <QSysInfo>
#include <pwd.h>
#include <unistd.h>

namespace {

// When this program started, for the file's one desk.
const QDateTime &started()
{
    static const QDateTime at = QDateTime::currentDateTime();
    return at;
}

}

QString connecteddesks::systemUser()
{
    if (const passwd *entry = getpwuid(geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER", QStringLiteral("sconosciuto"));
}

QList<connecteddesks::Desk> connecteddesks::of(Connection &connection)
{
    if (!connection.isServer())
        return {{systemUser(), QSysInfo::machineHostName(), QString(), started(), true}};
    QList<Desk> desks;
    Recordset sessions(connection,
                       QStringLiteral("SELECT usename, application_name, host(client_addr), "
                                      "to_char(backend_start, 'YYYY-MM-DD HH24:MI:SS'), "
                                      "CASE WHEN pid = pg_backend_pid() THEN 1 ELSE 0 END "
                                      "FROM pg_stat_activity WHERE datname = current_database() "
                                      "AND backend_type = 'client backend' ORDER BY backend_start, pid"));
    for (; !sessions.eof(); sessions.moveNext())
        desks << Desk{sessions.fields(0).text(), sessions.fields(1).text(), sessions.fields(2).text(),
                      QDateTime::fromString(sessions.fields(3).text(), QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                      sessions.fields(4).toInteger() == 1};
    return desks;
}

QString connecteddesks::othersText(const QList<Desk> &desks)
{
    QStringList others;
    for (const Desk &desk : desks)
        if (!desk.own)
            others << QStringLiteral("%1 (%2)").arg(desk.user, desk.machine.isEmpty() ? desk.address : desk.machine);
    return others.join(QStringLiteral(", "));
}
