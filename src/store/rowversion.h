#pragma once

#include "schema.h"
#include "storedvalue.h"

#include <QList>
#include <QPair>
#include <QString>

class Connection;
class Statement;

// A row as a window loaded it: the columns its list read, with their values
// as stored. A change or deletion of that row is written only while the row
// is still so; otherwise nothing is written and the user is told to reload
// it (another copy of the program, or another desk, changed it meanwhile).
// An empty version checks nothing.
class RowVersion
{
public:
    RowVersion() = default;
    explicit RowVersion(QList<QPair<QString, StoredValue>> values) : m_values(std::move(values)) {}

    bool isEmpty() const { return m_values.isEmpty(); }
    bool operator==(const RowVersion &other) const = default;
    // The version where it is the one of that row; empty otherwise, so a
    // window that holds another row's version never has a write refused.
    RowVersion of(qint64 id) const;

    // " AND col IS ? ..." for the columns of the table the version holds,
    // compared byte for byte; the ID is compared by the statement itself.
    QString condition(const QList<ColumnDefinition> &tableColumns) const;
    // Binds the values of condition() from that position on.
    void bind(Statement &statement, int position, const QList<ColumnDefinition> &tableColumns) const;
    // After a write that found no row: fails with what happened to it.
    [[noreturn]] void refuse(Connection &connection, const QString &table) const;

private:
    qint64 id() const;
    // " da <who> (postazione <desk>) alle <time> del <date>", from the
    // history of the row; empty without one.
    QString lastChangeOf(Connection &connection, const QString &table) const;
    QList<QPair<QString, StoredValue>> checked(const QList<ColumnDefinition> &tableColumns) const;

    QList<QPair<QString, StoredValue>> m_values;
};
