#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

class Connection;

// Every billing written by the mass billing's "Registra" or by the single
// billing panel is kept as a run: when, which panel, and for each service
// its PARC, DATAP and NR before and after. A run can be undone in one
// transaction, on the services still as it left them; the others are
// named and left alone.
namespace billingruns {

inline constexpr const char *massPanel = "Gestione Massiva";
inline constexpr const char *singlePanel = "Gestione Singola";

struct Run
{
    qint64 id = 0;
    QDateTime made;
    QString panel;
    int services = 0;
    qint64 totalCents = 0;
    QDateTime undone; // invalid while in force
};

// Opens a run inside the caller's transaction, before its billing UPDATE.
qint64 begin(Connection &connection, const QString &panel);
// Keeps, before the UPDATE, the columns of the services the condition (a
// WHERE clause on PRESTAZIONI, with its values) selects, as they are now.
// The condition names the services by their IDs: they are read by key.
void keep(Connection &connection, qint64 run, const QString &where, const QList<QVariant> &values = {});
// The same for a billing that leaves every service it bills alike: PARC
// "S", that billing date, NR as it is. What it leaves is kept with them, so
// that finish() need not read it back.
void keepBilling(Connection &connection, qint64 run, const QString &where, const QDate &billingDate);
// After the UPDATE, in the same transaction: keeps what the run left;
// returns the run with its count of services and total.
Run finish(Connection &connection, qint64 run);

// The latest runs, newest first.
QList<Run> recent(Connection &connection, int most = 50);

struct Undone
{
    int restored = 0;
    QList<qint64> changedSince; // services left alone
};
// Puts the services back as they were before the run, all in one
// transaction; refused (StoreError) when the run is undone already.
Undone undo(Connection &connection, qint64 run);

}
