#pragma once

#include "store/columntype.h"

#include <QString>

namespace postgres {

// The server's type of a column, as format_type names it, and back. Amounts
// are whole cents of their own domain, so that they read back as amounts
// and not as counts.
ColumnType typeOfDeclaration(const QString &declared);
QString declarationOf(ColumnType type, bool collated);

}
