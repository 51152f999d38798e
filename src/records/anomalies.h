#pragma once

#include <QString>

class Connection;

// Services that lost a link: a client, operator or reason id that is Null,
// or that points to a row deleted since (deleting a reason or an operator
// still in use is allowed, and leaves its services pointing nowhere).
namespace anomalies {

// The services with a missing link, every column, by client name.
QString statement();

// Whether there is any; a failing statement counts as none.
bool exist(Connection &connection);
// How many there are; a failing statement counts as none.
qint64 count(Connection &connection);

}
