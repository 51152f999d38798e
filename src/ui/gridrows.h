#pragma once

#include "store/rowversion.h"

#include <QString>

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
};
