#pragma once

#include <QStringList>

class Connection;
class DropDown;

// The drop-down fills from the store: the list emptied, then the entries
// given first, then one entry per row of the query named by the column,
// carrying the row's ID when the query has one. A failing query leaves the
// list empty and raises its StoreError for the window to skip or report.
enum class NullValues { Listed, Skipped };

void fillEntries(DropDown &list, Connection &connection, const QString &sql, const QString &column, const QStringList &first = {},
                 NullValues nulls = NullValues::Listed);
