#pragma once

#include "imports/importfields.h"

#include <QTableWidget>

// The import's mapping of the file's columns to the fields of the table:
// one row per column of the file, the field it fills chosen from a list
// ("(lasciata fuori)" for none). A field is filled by one column: choosing
// it for another leaves the first one out.
class ColumnMapping : public QTableWidget
{
    Q_OBJECT

public:
    explicit ColumnMapping(QWidget *parent);

    void show(importfields::Table table, const QStringList &headers, const importfields::Mapping &mapping);
    importfields::Mapping mapping() const;

signals:
    void mappingChanged();

private:
    void chosen(int row);
};
