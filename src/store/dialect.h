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
//                          engine takes such advice; INDEX(0), as in Jet's
//                          cousins, reads the table itself from end to end
//   x LIKE 'te%'        -> on an engine whose texts cannot take LIKE, both
//                          sides folded as the store's collation folds them
//   x = ? COLLATE BINARY, a IS b, CAST(x AS INTEGER), REPLACE(...)
//                       -> the engine's words for the same
// One statement per text: anything but blanks after the first ";" is refused.
namespace dialect {

// How one engine spells what the windows' SQL says in Jet's words; the
// translation reads the text once and asks the engine's spelling.
struct Spelling
{
    const char *left; // LEFT(s, n)
    const char *cdate; // CDATE(x)
    // What follows an exact text compared with a column: the store's collation.
    const char *exactMatch;
    // "t WITH (INDEX(name))": what stands after t; empty where the engine
    // takes no advice.
    QString (*indexHint)(const QString &index);

    // What the server spells otherwise; the embedded store takes Jet's words
    // as they are (its LIKE is the store's own).
    struct Server
    {
        // The function folding a text as the store's collation does, for
        // LIKE with wildcards.
        const char *fold;
        // "a IS b", true also when both are empty; and "a IS NOT b".
        const char *sameAs;
        const char *differentFrom;
        // The collation comparing byte for byte.
        const char *binary;
        // CAST(x AS INTEGER): the leading digits, 0 when there are none.
        const char *integerOf;
        // REPLACE(...) on a text column.
        const char *replace;
    };
    // Null for the embedded store. On a server, "?" marks are numbered,
    // [Name] is the folded name, and a number or date column compared with a
    // text that is no such value matches nothing (never an error).
    const Server *server = nullptr;
};

QByteArray translate(const QString &jetSql, const Spelling &spelling);

}
