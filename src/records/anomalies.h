#pragma once

#include <QString>

class Connection;

// Services that lost a link: a Null client, operator or reason id. A link
// to a row deleted since is not Null and is no anomaly.
namespace anomalies {

// The services with a missing link, every column, by client name.
QString statement();

// Whether there is any; a failing statement counts as none.
bool exist(Connection &connection);
// How many there are, through the index that holds only them; a failing
// statement counts as none.
qint64 count(Connection &connection);

}
