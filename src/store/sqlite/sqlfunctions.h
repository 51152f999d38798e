#pragma once

struct sqlite3;

// What the Jet engine offered and SQLite lacks: the case-insensitive text
// collation and LIKE, LEFT(s, n) and CDATE(x), registered on each connection.
namespace sqlfunctions {

void install(sqlite3 *db);

}
