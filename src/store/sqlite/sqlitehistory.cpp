#include "sqliteengine.h"

#include "store/connecteddesks.h"
#include "store/schema.h"
#include "store/sqltext.h"

#include <QSysInfo>

namespace {

// The row as a JSON object of its columns, NEW or OLD.
QString rowObject(const TableDefinition &table, const char *row)
{
    QStringList pairs{QStringLiteral("'ID', %1.ID").arg(QLatin1String(row))};
    for (const ColumnDefinition &column : table.columns)
        pairs << QStringLiteral("'%1', %2.[%1]").arg(column.name, QLatin1String(row));
    return QStringLiteral("%1(%2)").arg(QLatin1String(sqlite::rowObject)).arg(pairs.join(QStringLiteral(", ")));
}

// What a change changed, before (side 0) or after (1).
QString changedObject(const TableDefinition &table, int side)
{
    QStringList triples{QString::number(side)};
    for (const ColumnDefinition &column : table.columns)
        triples << QStringLiteral("'%1', OLD.[%1], NEW.[%1]").arg(column.name);
    return QStringLiteral("%1(%2)").arg(QLatin1String(sqlite::changesObject), triples.join(QStringLiteral(", ")));
}

// A change that writes the values the row had is none; a name retyped in
// capitals is one.
QString anyChange(const TableDefinition &table)
{
    QStringList changed;
    for (const ColumnDefinition &column : table.columns)
        changed << QStringLiteral("OLD.[%1] COLLATE BINARY IS NOT NEW.[%1]").arg(column.name);
    return changed.join(QStringLiteral(" OR "));
}

}

void SqliteEngine::recordHistory()
{
    const QString by = QStringLiteral("INSERT INTO STORIA (QUANDO, CHI, POSTAZIONE, TABELLA, ID_RIGA, AZIONE, "
                                      "PRIMA, DOPO) VALUES (strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime'), ")
        + quotedText(connecteddesks::systemUser()) + QStringLiteral(", ") + quotedText(QSysInfo::machineHostName())
        + QStringLiteral(", ");
    for (const QString &name : schema::historyKept()) {
        const TableDefinition &table = *schema::definitionNamed(name);
        const QString old = rowObject(table, "OLD");
        const QString now = rowObject(table, "NEW");
        const auto trigger = [&](const char *suffix, const char *event, const QString &when, const char *id, const char *action,
                                 const QString &before, const QString &after) {
            run((QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS storia_%1_%2 AFTER %3 ON main.%1 %4BEGIN ")
                     .arg(name, QLatin1String(suffix), QLatin1String(event), when)
                 + by
                 + QStringLiteral("'%1', %2, '%3', %4, %5); END")
                       .arg(name, QLatin1String(id), QLatin1String(action), before, after))
                    .toUtf8());
        };
        trigger("i", "INSERT", QString(), "NEW.ID", "INSERIMENTO", QStringLiteral("NULL"), now);
        trigger("m", "UPDATE", QStringLiteral("WHEN ") + anyChange(table) + QLatin1Char(' '), "NEW.ID", "MODIFICA",
                changedObject(table, 0), changedObject(table, 1));
        trigger("e", "DELETE", QString(), "OLD.ID", "ELIMINAZIONE", old, QStringLiteral("NULL"));
    }
    m_recordsHistory = true;
}
