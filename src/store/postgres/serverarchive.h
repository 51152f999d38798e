#pragma once

#include <QByteArray>
#include <QString>

class Connection;

// Setting up the office's archive on a server, for an office without a
// database administrator: done once by the database's owner.
namespace serverarchive {

// On an empty database, in one transaction: the tables and indexes, the
// billing runs' and the electronic invoices' tables, and the group of the
// desks, which may read and write rows but not create, drop or empty
// anything; then the municipalities. A database that holds tables is
// refused, nothing written.
void prepare(Connection &connection);

// The group every desk's login belongs to: one per archive.
QString desksGroup(Connection &connection);

// A login for one person in the desks' group; an existing one gets the new
// password and the group. The password reaches the server only as its
// SCRAM verifier.
void addDesk(Connection &connection, const QString &name, const QByteArray &password);

}
