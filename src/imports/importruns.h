#pragma once

#include "importpreview.h"

#include <QDateTime>
#include <QList>
#include <QString>

class Connection;

// Every import is written in one transaction and kept as a run
// ("Importazioni"): when, which table, from which file, and each row it
// added. A run is taken back as a whole, but for the rows changed since
// (or, for a client, reason or operator, named by a service since): those
// are named and left.
namespace importruns {

struct Run
{
    qint64 id = 0;
    QDateTime made;
    QString table; // "clienti", ...
    QString file;
    int rows = 0;
    QDateTime undone; // invalid while in force
};

struct Written
{
    qint64 run = 0;
    int rows = 0;
    int reasonsMade = 0;
    int operatorsMade = 0;
};

// Writes the rows of the preview without errors, first making the reasons
// and operators its services lack; nothing at all when anything fails.
Written write(Connection &connection, const importpreview::Preview &preview, const QString &file);

// The latest runs, newest first.
QList<Run> recent(Connection &connection, int most = 50);

struct Undone
{
    int removed = 0;
    QStringList leftAlone; // "cliente 12 (ROSSI MARIO)"
};
// Refused (StoreError) when the run is undone already.
Undone undo(Connection &connection, qint64 run);

}
