#pragma once

#include "columntype.h"

#include <QList>
#include <QString>

class Connection;

// The five tables with their columns in physical order: several lists read
// rows with "SELECT *" and place the fields by position.
struct ColumnDefinition
{
    QString name;
    ColumnType type;
};

struct TableDefinition
{
    QString name;
    QList<ColumnDefinition> columns; // after the store-assigned ID
};

namespace schema {

// Name of the collation every text column carries.
inline constexpr const char *textCollation = "ITALIAN";

const QList<TableDefinition> &tables();
// Date columns of any table, by name; the dialect compares quoted dates with
// them as dates.
bool isDateColumn(const QString &name);
// Creates the tables and indexes on an empty store.
void install(Connection &connection);
// Adds the indexes a store made by an earlier version lacks.
void ensureIndexes(Connection &connection);

}
