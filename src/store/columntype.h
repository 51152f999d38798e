#pragma once

// What a column holds. Dates are days ("yyyy-mm-dd" as text), amounts whole
// cents, numbers as typed with a comma.
enum class ColumnType { Integer, Number, Money, Date, Text, Unknown };
