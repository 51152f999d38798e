#pragma once

#include <QString>

class Connection;

// The whole store as a plain SQLite file that any SQLite tool opens: no key,
// none of the program's collations, amounts in euro as numbers, dates as ISO
// text. Every table with its own columns, ID first where it has one.
namespace plainexport {

// Writes every table into a new file at the path; a StoreError says why not.
void write(Connection &store, const QString &path);

}
