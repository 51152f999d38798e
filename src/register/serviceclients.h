#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "servicelists.h"

class Connection;
class DropDown;
class GridList;
class QLabel;

// The clients as the services name them: the search panel and the billing
// panel choose a client among the names that occur in services and find
// the client's services by the link those services carry.
namespace serviceclients {

// Every distinct client name of the services, in order, into each list.
void fillNames(Connection &connection, const QList<DropDown *> &lists);

// The client link of the first service (lowest ID) bearing exactly that
// name and having a link; none when no such service is left.
std::optional<QString> linkOf(Connection &connection, const QString &name);

// Empties the list and the client id, then shows in the list the services
// the fill gives for the link of the client so named, the link in the id.
void showServicesOf(Connection &connection, const QString &name, QLabel &clientId, GridList &list, ServiceFill fill);

}
