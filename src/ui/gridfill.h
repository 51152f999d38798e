#pragma once

#include "gridcolumn.h"

#include <QList>
#include <QString>

class Connection;
class GridList;

// The fill routine the register's lists share: the list rebuilt from one
// statement, with its headers, one row per record in the statement's order,
// field i in column i as text, the amount column (if any) "0.00", in bold
// where the list makes amounts stand out. A statement that fails leaves the
// list with its headers and no rows.
enum class AmountWeight { Bold, Plain };
void fillGrid(GridList &list, Connection &connection, const QList<GridColumn> &columns, const QString &sql, int amountColumn = -1,
              AmountWeight weight = AmountWeight::Bold);
