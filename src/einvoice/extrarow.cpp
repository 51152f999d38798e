#include "extrarow.h"

#include "store/connection.h"
#include "store/recordset.h"
#include "store/schema.h"

namespace extrarow {

namespace {

// The row's ID, or 0 when there is none.
qint64 idOf(Connection &connection, const Key &key)
{
    Recordset row(connection,
                  key.column.isEmpty() ? QStringLiteral("SELECT ID FROM %1 ORDER BY ID").arg(key.table)
                                       : QStringLiteral("SELECT ID FROM %1 WHERE %2 = ?").arg(key.table, key.column),
                  key.column.isEmpty() ? QList<QVariant>() : QList<QVariant>{key.value});
    return row.eof() ? 0 : row.fields(0).toInteger();
}

}

QHash<QString, QString> read(Connection &connection, const Key &key, const QStringList &columns)
{
    schema::ensureInvoiceTables(connection);
    QHash<QString, QString> values;
    for (const QString &column : columns)
        values.insert(column, QString());
    const qint64 id = idOf(connection, key);
    if (id == 0)
        return values;
    Recordset row(connection, QStringLiteral("SELECT %1 FROM %2 WHERE ID = ?").arg(columns.join(QStringLiteral(", ")), key.table),
                  {id});
    for (int i = 0; i < columns.size(); ++i)
        values[columns.at(i)] = row.fields(i).text();
    return values;
}

void write(Connection &connection, const Key &key, const QHash<QString, QString> &values)
{
    schema::ensureInvoiceTables(connection);
    QStringList columns = values.keys();
    QList<QVariant> bound;
    for (const QString &column : columns)
        bound << values.value(column).trimmed();
    const qint64 id = idOf(connection, key);
    if (id == 0) {
        if (!key.column.isEmpty()) {
            columns << key.column;
            bound << key.value;
        }
        connection.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(key.table, columns.join(QStringLiteral(", ")),
                                    QStringList(QList<QString>(columns.size(), QStringLiteral("?"))).join(QStringLiteral(", "))),
                           bound);
        return;
    }
    for (QString &column : columns)
        column += QStringLiteral(" = ?");
    connection.execute(QStringLiteral("UPDATE %1 SET %2 WHERE ID = ?").arg(key.table, columns.join(QStringLiteral(", "))),
                       bound << id);
}

}
