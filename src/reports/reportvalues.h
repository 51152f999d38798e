#pragma once

#include "store/field.h"
#include "store/money.h"

class ResultTable;

// What a box prints for a value, and the totals of the amount boxes.
namespace reportvalues {

QString formatted(const Field &value, const QString &format);
// The sum of a column over the rows; Null counts as 0.
Money sumOf(const ResultTable &rows, const QString &column);

}
