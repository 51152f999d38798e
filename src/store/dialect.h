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
//   t WITH (INDEX(name)) -> the engine reads t through that index, where the
//                          engine takes such advice
// One statement per text: anything but blanks after the first ";" is refused.
namespace dialect {

// The engine whose SQL the text becomes.
enum class Flavour { Sqlite };

// What LEFT and CDATE become in the embedded store (LEFT is one of its
// keywords), registered on each of its connections.
inline constexpr const char *sqliteLeft = "JET_LEFT";
inline constexpr const char *sqliteCdate = "JET_CDATE";

QByteArray translate(const QString &jetSql, Flavour flavour = Flavour::Sqlite);

}
