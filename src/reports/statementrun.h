#pragma once

#include <QDate>
#include <QStringList>

#include <functional>

class Connection;

// The month-end statements: the client statement of every client with
// services in a period, one PDF per client into a folder.
namespace statementrun {

// Told before each statement how many are written of how many; false
// stops the run there.
using Progress = std::function<bool(int written, int total)>;

struct Outcome
{
    QStringList files; // written
    int unlinked = 0; // services of the period without a client, not printed
    bool stopped = false;
    QString failure; // the file that could not be written, when one could not
};

// Raises StoreError when the store can't be read.
Outcome write(Connection &store, const QDate &from, const QDate &to, const QString &folder, const Progress &progress = {});

// "ROSSI MARIO - dal 01-11-2026 al 30-11-2026.pdf", the name made safe for
// any file system.
QString fileName(const QString &client, const QDate &from, const QDate &to);

}
