#pragma once

#include "storedvalue.h"

#include <QString>

// What a column takes beyond its type, checked at every save of a value
// the user gave: the digits of phones and postal codes, the characters of
// a VAT number, the length of every text. A value refused is never cut: the
// save stops with a StoreError of kind Invalid naming the field.
namespace columnrules {

void check(const QString &table, const QString &column, const StoredValue &value);

}
