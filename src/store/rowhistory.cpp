#include "rowhistory.h"

#include "connection.h"
#include "money.h"
#include "schema.h"
#include "statement.h"

#include <QDate>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace {

// A column's value as the lists show it; the server names columns in
// lower case, the file as the program does.
QString shown(const QJsonObject &row, const ColumnDefinition &column)
{
    QJsonValue value = row.value(column.name);
    if (value.isUndefined())
        value = row.value(column.name.toLower());
    if (value.isNull() || value.isUndefined())
        return QString();
    switch (column.type) {
    case ColumnType::Money:
        return Money::fromCents(value.toInteger()).groupedText();
    case ColumnType::Date:
        return QDate::fromString(value.toString(), Qt::ISODate).toString(QStringLiteral("dd/MM/yyyy"));
    case ColumnType::Integer:
        return QString::number(value.toInteger());
    case ColumnType::Number:
        return QLocale(QLocale::Italian, QLocale::Italy).toString(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

QJsonObject objectOf(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

}

QList<rowhistory::Entry> rowhistory::of(Connection &connection, const QString &table, qint64 id)
{
    QList<Entry> entries;
    const TableDefinition *definition = schema::definitionNamed(table);
    if (!definition || !connection.hasAll({schema::historyTable().name}))
        return entries;
    Statement rows(connection,
                   connection.translated(QStringLiteral("SELECT QUANDO, CHI, POSTAZIONE, AZIONE, PRIMA, DOPO FROM STORIA "
                                                        "WHERE TABELLA = ? AND ID_RIGA = ? ORDER BY ID")));
    rows.bind(1, StoredValue::ofText(definition->name.toUtf8()));
    rows.bind(2, StoredValue::ofInteger(id));
    while (rows.step()) {
        Entry entry{QDateTime::fromString(rows.text(0), QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                        .toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
                    rows.text(1),
                    rows.text(2),
                    rows.text(3),
                    {}};
        const QJsonObject before = objectOf(rows.text(4));
        const QJsonObject after = objectOf(rows.text(5));
        for (const ColumnDefinition &column : definition->columns) {
            const Change change{column.name, shown(before, column), shown(after, column)};
            if (change.before != change.after)
                entry.changes << change;
        }
        entries << entry;
    }
    return entries;
}
