#pragma once

#include "importfields.h"
#include "sheet.h"
#include "store/columntype.h"
#include "store/storedvalue.h"

#include <QList>
#include <QStringList>

class Connection;

// What an import would store, worked out before anything is written: each
// row of the file as it would be stored, with its verdicts (tax code and VAT
// number, municipality, dates and amounts as read, duplicates), or the reason
// it is left out.
namespace importpreview {

struct Row
{
    int number = 0; // in the file
    QStringList source; // the file's cells, for the file of rows to correct
    QStringList shown; // one per column of the preview, as stored
    QList<StoredValue> values; // the same, in the store's form
    QStringList notes;
    QString error; // empty when the row is imported
    // A service whose reason or operator the import makes first: its link
    // is filled then.
    QString reasonToMake;
    QString operatorToMake;
};

struct Preview
{
    importfields::Table table = importfields::Table::Clients;
    QStringList headers; // the file's
    QStringList columns; // what the import writes, in order
    QList<ColumnType> types; // theirs
    QList<Row> rows;
    QStringList leftOut; // the file's columns no field takes
    // The reasons and operators services name that the store lacks.
    QStringList reasonsToMake;
    QStringList operatorsToMake;
    // Clients the registry or an earlier row has already are imported all
    // the same, with a verdict, rather than left out.
    bool duplicatesAllowed = false;

    qsizetype errors() const;
    qsizetype imported() const { return rows.size() - errors(); }
};

Preview build(Connection &connection, importfields::Table table, const Sheet &sheet, const importfields::Mapping &mapping,
              bool duplicatesAllowed = false);

// The rows left out as the file had them, after their row number and why,
// for the office to correct and import again: XLSX when the name ends so,
// CSV otherwise. Never over an existing file; a StoreError says why not.
void saveErrors(const Preview &preview, const QString &path);

}
