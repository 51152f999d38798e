#include "rowversion.h"

#include "connection.h"
#include "statement.h"
#include "storeerror.h"

#include <QDateTime>
#include <algorithm>

qint64 RowVersion::id() const
{
    for (const auto &value : m_values)
        if (value.first.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            return value.second.kind == StoredValue::Kind::Integer ? value.second.integer : -1;
    return -1;
}

RowVersion RowVersion::of(qint64 rowId) const
{
    return id() == rowId ? *this : RowVersion();
}

QList<QPair<QString, StoredValue>> RowVersion::checked(const QList<ColumnDefinition> &tableColumns) const
{
    QList<QPair<QString, StoredValue>> kept;
    for (const auto &value : m_values) {
        if (value.first.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            continue;
        for (const auto &column : tableColumns)
            if (column.name.compare(value.first, Qt::CaseInsensitive) == 0) {
                kept.append({column.name, value.second});
                break;
            }
    }
    return kept;
}

QString RowVersion::condition(const QList<ColumnDefinition> &tableColumns) const
{
    QString text;
    // Texts byte for byte: a name retyped in capitals is a change.
    for (const auto &value : checked(tableColumns)) {
        const bool isText = std::any_of(tableColumns.begin(), tableColumns.end(), [&](const ColumnDefinition &column) {
            return column.name == value.first && column.type == ColumnType::Text;
        });
        text += QStringLiteral(" AND [%1]%2 IS ?").arg(value.first, isText ? QStringLiteral(" COLLATE BINARY") : QString());
    }
    return text;
}

void RowVersion::bind(Statement &statement, int position, const QList<ColumnDefinition> &tableColumns) const
{
    for (const auto &value : checked(tableColumns))
        statement.bind(position++, value.second);
}

void RowVersion::refuse(Connection &connection, const QString &table) const
{
    Statement still(connection, connection.translated("SELECT count(*) FROM [" + table + "] WHERE ID = ?"));
    still.bind(1, StoredValue::ofInteger(id()));
    still.step();
    const QString by = lastChangeOf(connection, table);
    if (still.integer(0) == 0)
        throw StoreError(QStringLiteral("il record %1 è stato eliminato nel frattempo%2; ricaricare l'elenco").arg(id()).arg(by));
    throw StoreError(QStringLiteral("il record %1 è stato modificato nel frattempo%2; ricaricarlo e ripetere "
                                    "l'operazione")
                         .arg(id())
                         .arg(by));
}

QString RowVersion::lastChangeOf(Connection &connection, const QString &table) const
{
    if (!connection.hasAll({schema::historyTable().name}))
        return QString();
    Statement last(
        connection,
        connection.translated(QStringLiteral("SELECT CHI, POSTAZIONE, QUANDO FROM STORIA WHERE ID = (SELECT max(ID) FROM STORIA "
                                             "WHERE TABELLA = ? AND ID_RIGA = ?)")));
    last.bind(1, StoredValue::ofText(table.toUpper().toUtf8()));
    last.bind(2, StoredValue::ofInteger(id()));
    if (!last.step())
        return QString();
    const QDateTime when = QDateTime::fromString(last.text(2), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return QStringLiteral(" da %1 (postazione %2) alle %3 del %4")
        .arg(last.text(0), last.text(1), when.toString(QStringLiteral("HH:mm")), when.toString(QStringLiteral("dd/MM/yyyy")));
}
