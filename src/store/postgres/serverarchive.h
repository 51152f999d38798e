#pragma once

#include "store/tablecopy.h"

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

// An archive prepared by an earlier version brought to this one, in one
// transaction: from version 1 the history and its triggers, from 2 the
// clients' country; then the desks' rights. Returns the version it was at; one already current
// is left as it is.
int upgrade(Connection &connection);

// What a move of a store file's rows onto the server found, table by
// table, on both sides.
struct Moved
{
    QList<tablecopy::Figures> file;
    QList<tablecopy::Figures> server;
    // Committed only when every figure matched.
    bool committed = false;
};

// An office's store file onto an empty server database (prepared in the
// same transaction when it is not yet): every table with its IDs, the
// billing runs, the office's profile and the e-invoices with their
// progressive. The file is only read.
Moved importStore(Connection &file, Connection &server, const tablecopy::Progress &progress = {});

// A copy put back in place of the archive's rows, in one transaction.
Moved restoreCopy(Connection &copy, Connection &server, const tablecopy::Progress &progress = {});

// A job that needs the archive alone (restore, import): held by the
// session's advisory lock, which the server frees when the session ends,
// so a crash leaves nothing behind. Refused while another such job runs,
// and, unless forced, while other desks work (they are named).
class ExclusiveJob
{
public:
    enum class Others { Refused, Allowed };
    ExclusiveJob(Connection &server, Others others);
    ~ExclusiveJob();
    ExclusiveJob(const ExclusiveJob &) = delete;
    ExclusiveJob &operator=(const ExclusiveJob &) = delete;

private:
    Connection &m_server;
};

// The group every desk's login belongs to: one per archive.
QString desksGroup(Connection &connection);

// A login for one person in the desks' group; an existing one gets the new
// password and the group. The password reaches the server only as its
// SCRAM verifier.
void addDesk(Connection &connection, const QString &name, const QByteArray &password);

}
