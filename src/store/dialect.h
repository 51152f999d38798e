#pragma once

#include <QByteArray>
#include <QString>

// Turns the Jet-style SQL the windows write into the store's SQL:
//   #mm/dd/yyyy#        -> 'yyyy-mm-dd' (outside quoted text only)
//   [name]              -> "name"
//   a & b               -> a || b
//   DELETE * FROM       -> DELETE FROM
//   ISNULL(x)           -> (x IS NULL)
//   LEFT(s,n), CDATE(x) -> the engine's own functions
//   x LIKE 'text'       -> x = 'text' under the store's collation when the
//                          text has no wildcard (the same exact,
//                          case-insensitive match, but one an index can serve)
//   a day-first quoted date compared with a date column or CDATE(...) is
//   compared as a date.
//   t WITH (INDEX(name)) -> the engine reads t through that index, where the
//                          engine takes such advice
// One statement per text: anything but blanks after the first ";" is refused.
namespace dialect {

// How one engine spells what the windows' SQL says in Jet's words; the
// translation reads the text once and asks the engine's spelling.
struct Spelling
{
    const char *left;  // LEFT(s, n)
    const char *cdate; // CDATE(x)
    // What follows an exact text compared with a column: the store's collation.
    const char *exactMatch;
    // "t WITH (INDEX(name))": what stands after t; empty where the engine
    // takes no advice.
    QString (*indexHint)(const QString &index);
};

QByteArray translate(const QString &jetSql, const Spelling &spelling);

}
