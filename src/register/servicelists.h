#pragma once

#include <QString>

class Connection;
class GridList;

// The fills of the service lists: the editor's short list (ListView3, seven
// columns), the search list (ListView4, every column of the table) and the
// billing panel's list (ListView5, the billing columns).
enum class ServiceFill {
    NewestFirst, // ListView3
    OldestFirst, // ListView3
    ClientStatement, // ListView3, one client's services with their ID_CL
    SearchAll, // ListView4 from here on
    SearchBilled,
    SearchUnbilled,
    SearchClient,
    BillingBilled, // ListView5 from here on
    BillingUnbilled,
    BillingAll,
    BillingClientBilled,
    BillingClientUnbilled,
};

// Rebuilds the list from the fill's statement: headers, widths, one row per
// record in the statement's order, the amount "0.00" (in bold but in the
// billing list). A statement
// that fails leaves the list with its headers and no rows. The client id
// is that of the statement and one-client fills.
void fillServiceList(GridList &list, Connection &connection, ServiceFill fill, const QString &clientId = QString());
