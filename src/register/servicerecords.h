#pragma once

#include "serviceentry.h"

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

}
