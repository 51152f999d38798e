#pragma once

#include <QList>
#include <QString>

class Connection;

// What STORIA holds of one row, oldest first, as the office reads it.
namespace rowhistory {

struct Change
{
    QString column;
    QString before;
    QString after;
};

struct Entry
{
    QString when; // "dd/MM/yyyy HH:mm:ss"
    QString who;
    QString desk;
    QString action; // INSERIMENTO, MODIFICA, ELIMINAZIONE
    // The columns that changed; on an insertion or deletion every column
    // that held a value.
    QList<Change> changes;
};

QList<Entry> of(Connection &connection, const QString &table, qint64 id);

}
