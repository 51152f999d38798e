#pragma once

#include "store/columntype.h"

#include <QString>

// How the store file declares what a column holds: MONEY, DATE and NUMBER
// carry NUMERIC affinity, TEXT keeps text as given.
namespace sqlite {

ColumnType typeOfDeclaration(const char *declaredType);
// A text column compares under the store's collation when collated.
QString declarationOf(ColumnType type, bool collated);

}
