#pragma once

#include <QString>

// What a column holds, read from its declared type in the schema. Dates are
// ISO "yyyy-mm-dd" text, amounts whole cents, numbers as typed with a comma.
enum class ColumnType { Integer, Number, Money, Date, Text, Unknown };

ColumnType columnTypeFromDeclaration(const char *declaredType);
QString columnDeclaration(ColumnType type);
