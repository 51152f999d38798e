#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class Connection;

// One row of an electronic-invoice table as the windows edit it: the
// columns as text, by name. The row is found by its key column (ID_CL of
// FE_CLIENTI, ID_CAUS of FE_CAUSALI), or is the table's first row when no
// key column is given (STUDIO).
namespace extrarow {

struct Key
{
    QString table;
    QString column; // empty for the table's one row
    qint64 value = 0;
};

// Empty texts when there is no such row yet.
QHash<QString, QString> read(Connection &connection, const Key &key, const QStringList &columns);
// Changes the row, or adds it with its key.
void write(Connection &connection, const Key &key, const QHash<QString, QString> &values);

}
