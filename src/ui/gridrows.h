#pragma once

#include "store/rowversion.h"

#include <QList>
#include <QString>
#include <memory>

class Connection;

// How the user has a list shown: sorted by one column (-1: the list's own
// order), and kept to the rows where one of the columns searched contains
// the text found (all rows when it is empty).
struct RowArrangement
{
    int column = -1;
    bool descending = false;
    QString find;
    QList<int> searched;

    bool isPlain() const { return column < 0 && find.isEmpty(); }
};

// Where a grid list takes its cells from. The list asks only for the rows on
// screen, so a fill of 100,000 rows costs no more than the query.
class GridRows
{
public:
    virtual ~GridRows() = default;
    virtual int rowCount() const = 0;
    virtual QString text(int row, int column) const = 0;
    // The row as stored, for a change of it; empty where rows are not records.
    virtual RowVersion version(int) const { return {}; }
    // The same rows arranged by the source itself, where it can do better
    // than reading every cell; none where it cannot. A StoreError when it
    // fails.
    virtual std::shared_ptr<const GridRows> arranged(const RowArrangement &) const { return nullptr; }
    // What the same statement would read now, where the source can take in
    // the rows its table gained since it was read instead of reading them
    // all again; none where it cannot. A StoreError when it fails.
    virtual std::shared_ptr<const GridRows> withAdditions(Connection &, const QString &) const { return nullptr; }
};
