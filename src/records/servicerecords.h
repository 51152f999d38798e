#pragma once

#include "serviceentry.h"

#include <QDate>
#include <QString>

class Connection;
class RowVersion;

// The writes of the service editor on PRESTAZIONI, each one statement.
namespace servicerecords {

// A new unbilled service; year and month from its date, changed today.
void insert(Connection &connection, const ServiceEntry &entry);
// Every column but PARC of the service with that ID; returns the rows
// written (0 when it is gone). Refused when the service is no longer as
// it was loaded.
int update(Connection &connection, qint64 id, const RowVersion &loaded, const ServiceEntry &entry);
int remove(Connection &connection, qint64 id, const RowVersion &loaded);
// The client another bill of that number in the year of the date was made
// out to, when it is not the service's own; empty when the number is free.
QString billNumberTaken(Connection &connection, const QString &number, const QDate &date, qint64 service);

}
