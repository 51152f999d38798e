#pragma once

#include "archive/billingruns.h"

#include <QDate>
#include <QList>

class Connection;

struct BulkBilled
{
    // The services this desk billed and their total.
    billingruns::Run run;
    // Ticked services another desk billed since the list was filled.
    int billedElsewhere = 0;
};

// Bills the ticked services that are still unbilled: DATAP the billing date,
// PARC "S", nothing else. All of them or, on any failure, none.
BulkBilled billServices(Connection &connection, const QList<qint64> &ticked, const QDate &billingDate);
