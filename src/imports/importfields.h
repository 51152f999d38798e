#pragma once

#include "sheet.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What an import can fill, table by table, and which file columns fill it:
// each field by the headers offices give it ("Ragione sociale", "C.F.",
// "P.IVA", "Prov.", "Quantità"...), compared without case, accents, blanks
// or dots.
namespace importfields {

enum class Table { Clients, Reasons, Operators, Services };

struct Field
{
    QString key; // the column it writes, or "Cognome" and "Nome" that make up a client's name
    QString caption; // as the user reads it in the mapping
    QStringList headers; // in compared form
};

// "clienti", "causali", "operatori", "prestazioni".
QString nameOf(Table table);
// That many rows of the table: "1 cliente", "3 clienti".
QString countOf(Table table, qsizetype rows);
std::optional<Table> tableNamed(const QString &name);
// SOGGETTI, CAUSALE, OPERATORE, PRESTAZIONI.
QString storeTableOf(Table table);
const QList<Field> &fieldsOf(Table table);

// For each header, the index of the field it fills, -1 for none; a field is
// filled by the first column that names it.
using Mapping = QList<int>;
Mapping match(Table table, const QStringList &headers);
// The column takes the field (-1: it is left out); another column that had
// the field leaves it.
void assign(Mapping &mapping, qsizetype column, int field);
// A field by its key, its caption or one of its headers; -1 for none.
int fieldNamed(Table table, const QString &name);

// The sheet with, as its headers, the row among its first ones that names
// the most fields: a title above the headers is left out.
Sheet headed(Table table, const Sheet &sheet);

// A header as compared: "C.F." and "cf", "Quantità" and "QUANTITA" alike.
QString compared(const QString &header);

}
