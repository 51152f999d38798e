#pragma once

#include "columntype.h"

#include <QList>
#include <QString>
#include <QStringList>

class Connection;

// The five tables with their columns in physical order: several lists read
// rows with "SELECT *" and place the fields by position.
struct ColumnDefinition
{
    QString name;
    ColumnType type;
    bool unique = false;
};

struct TableDefinition
{
    QString name;
    QList<ColumnDefinition> columns; // after the store-assigned ID
    // The rows of the billing runs have no ID of their own.
    bool keyed = true;
    // The register's texts compare as the office reads them (see
    // collation.h); the other tables' texts byte for byte.
    bool collated = true;
};

namespace schema {

// Name of the collation every text column carries.
inline constexpr const char *textCollation = "ITALIAN";

// The register's five tables, in their order.
const QList<TableDefinition> &tables();
// The billing runs and the electronic invoices' tables.
const QList<TableDefinition> &billingRunTables();
const QList<TableDefinition> &invoiceTables();
// The imports from spreadsheets (IMPORTAZIONI), and in IMPORTAZIONI_RIGHE
// each row an import added, by table and ID.
const QList<TableDefinition> &importRunTables();
// STORIA: every insert, change and deletion of a service, client, reason
// or operator, with when, who, from which desk, and as JSON objects the row
// inserted or deleted, or the columns a change changed, before and after;
// written in the transaction of the change itself. Desks add to it and
// never change it.
const TableDefinition &historyTable();
// The four tables whose changes it keeps.
QStringList historyKept();
// The names of every table of the program, the register's five first.
const QStringList &tableNames();
// Any table of the program by its name, without regard to case; null for
// a table it does not know.
const TableDefinition *definitionNamed(const QString &name);
// What a column of the register's tables holds, by its name alone; Unknown
// for any other name. The dialect compares quoted dates with date columns as
// dates.
ColumnType typeOfColumn(const QString &name);
// "CREATE TABLE IF NOT EXISTS" for a table, in an engine's words: its ID
// column, and each type's declaration.
QString createStatement(const TableDefinition &table, const QString &idColumn,
                        QString (*declarationOf)(ColumnType type, bool collated));
// Creates the tables and indexes on an empty store.
void install(Connection &connection);
// Makes STORIA where a store made by an earlier version lacks it.
void ensureHistory(Connection &connection);
// Adds the indexes a store made by an earlier version lacks.
void ensureIndexes(Connection &connection);

// The billing runs (PARCELLAZIONI, and in PARCELLAZIONI_RIGHE each
// service's PARC, DATAP and NR before and after), made at a store's first
// billing; only what is missing is added.
void ensureBillingRuns(Connection &connection);
// The import runs, made at a store's first import; only what is missing
// is added.
void ensureImportRuns(Connection &connection);
// The electronic invoices' own tables: the office (STUDIO), what a client
// or a reason needs beyond the register (FE_CLIENTI, FE_CAUSALI) and the
// files written (FE_FILE). Made on the first start of a store, so that the
// office can fill them from a script too; the register's tables are
// untouched. Called before every use: one look when they are there.
void ensureInvoiceTables(Connection &connection);

}
