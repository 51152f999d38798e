#pragma once

#include <QString>

class Connection;

// The full check of a store file's structure, on a connection of its own so
// that it can run beside the program's work.
namespace integrity {

// Quick: the structure of every page and index entry, as the program checks
// a store at start. Full: also that every index holds exactly its table's
// rows, as a copy is checked before it counts.
enum class Depth { Quick, Full };

// Empty when the file is sound; otherwise what is wrong, in Italian.
QString problemsOf(const QString &path, Depth depth = Depth::Quick);
// The same on a store already open.
QString problemsIn(Connection &connection, Depth depth);

}
