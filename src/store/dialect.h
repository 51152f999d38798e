#pragma once

#include <QByteArray>
#include <QString>

// Turns the Jet-style SQL the windows write into the store's SQL:
//   #mm/dd/yyyy#        -> 'yyyy-mm-dd' (outside quoted text only)
//   [name]              -> "name"
//   a & b               -> a || b
//   DELETE * FROM       -> DELETE FROM
//   ISNULL(x)           -> (x IS NULL)
//   LEFT(s,n), CDATE(x) -> the store's own functions
//   x LIKE 'text'       -> x = 'text' COLLATE ITALIAN when the text has no
//                          wildcard (the same exact, case-insensitive match,
//                          but one an index can serve)
//   a day-first quoted date compared with a date column or CDATE(...) is
//   compared as a date.
// One statement per text: anything but blanks after the first ";" is refused.
namespace dialect {

QByteArray translate(const QString &jetSql);

}
