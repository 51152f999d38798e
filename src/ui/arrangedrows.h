#pragma once

#include "gridrows.h"

#include <memory>
#include <optional>

// Rows as the user arranged them: the source's own arrangement where it
// has one (a long list asks the store), otherwise the cells read, sorted
// and filtered here. The source itself when the arrangement is plain.
std::shared_ptr<const GridRows> arrangedRows(const std::shared_ptr<const GridRows> &rows, const RowArrangement &how);

// Whether a cell's text contains what is looked for, as the store's LIKE
// finds it: without regard to case.
bool cellContains(const QString &cell, const QString &find);

// A cell read as a number: "1.234,50", "1234,5", "1234.5", "-12"; none
// for any other text.
std::optional<double> cellNumber(const QString &cell);

// The order of two cells of one column: amounts and numbers by value, dates
// by day, other texts as the office reads them.
bool cellBefore(const QString &a, const QString &b);
