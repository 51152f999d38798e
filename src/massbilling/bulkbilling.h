#pragma once

#include "archive/billingruns.h"

#include <QDate>
#include <QList>

class Connection;

// Bills the ticked services that are still unbilled: DATAP the billing date,
// PARC "S", nothing else. All of them or, on any failure, none. Returns the
// run: the services billed and their total.
billingruns::Run billServices(Connection &connection, const QList<qint64> &ticked, const QDate &billingDate);
