#pragma once

#include <QString>

class Connection;

// The store file "Database.db" in the application directory, encrypted with
// the database password.
namespace storefile {

inline constexpr const char *fileName = "Database.db";
inline constexpr const char *password = "ZuPa7315";

QString pathIn(const QString &directory);

// Opens the store; on a first start, when the file is missing, makes it with
// the five tables and the municipalities. It is built beside the final name
// and renamed only when complete, so an interrupted first start leaves no
// half-made store. An existing file is never recreated or overwritten.
void openOrCreate(Connection &connection, const QString &path);

}
