#pragma once

#include "store/field.h"

#include <QList>
#include <optional>

class Connection;
class DropDown;

// The editor's client, reason and operator lists: filled from their tables
// with each entry carrying its row's ID, and a pick resolved to its row.
namespace picklists {

// Empties the list, then one entry per row, named by the column and with
// the row's ID when the query has one; a failing statement leaves the list
// empty.
void fill(DropDown &list, Connection &connection, const QString &sql, const QString &nameColumn);

// The lookup by name of the list's picked text: the SQL up to the opening
// quote, the name with its quotes doubled, the closing quote. Of several
// namesakes the picked entry's own row; none when the name is no longer
// there. The fields are those of the query, in its order.
std::optional<QList<Field>> lookUp(Connection &connection, const DropDown &list, const QString &sqlUpToName);

}
