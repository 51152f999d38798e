#pragma once

struct sqlite3;

// What the Jet engine offered and SQLite lacks: the case-insensitive text
// collation and LIKE, LEFT(s, n) and CDATE(x), registered on each connection.
namespace sqlfunctions {

// Names the dialect rewrites LEFT and CDATE to (LEFT is an SQLite keyword).
inline constexpr const char *left = "JET_LEFT";
inline constexpr const char *cdate = "JET_CDATE";

void install(sqlite3 *db);

}
