#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class Connection;

// Who works on the archive now: on a server every session of the
// program's database, on the file this program alone.
namespace connecteddesks {

struct Desk
{
    QString user;
    QString machine; // the name the program gave its session
    QString address; // where it connects from; empty on this machine
    QDateTime since; // invalid where the server does not tell
    bool own = false;
};

QList<Desk> of(Connection &connection);
// Who works at this desk on the file: the system's login of the program's
// user.
QString systemUser();
// "mrossi (pc-2), bianchi (pc-3)": the others, for a refusal.
QString othersText(const QList<Desk> &desks);

}
