#pragma once

#include <QString>

#include <functional>

class Connection;

// The store file "Database.db", encrypted with the database password. It
// lives in the user's data folder, never inside the program's own folder
// (a build or install folder is deleted or read-only): only a store that
// already lies beside the executable, a portable copy or one made by an
// earlier version, is used where it lies.
namespace storefile {

inline constexpr const char *fileName = "Database.db";
inline constexpr const char *password = "ZuPa7315";

QString pathIn(const QString &directory);
// The archive the program works on: the one the office chose for this
// user (~/.config/velmora/archivio.conf) or for every user of the machine
// (/etc/velmora/archivio.conf), a server's address on its first line that
// is not a comment; otherwise the store file of location().
QString chosenArchive(const QString &programDirectory);
// Whether the archive named is on a server ("postgresql://...",
// "service=..." or a connection string with "dbname=" or "host=") rather
// than a store file.
bool isServerAddress(const QString &archive);
// The store the program uses: beside the executable when one is there,
// otherwise $XDG_DATA_HOME/velmora/Database.db.
QString location(const QString &programDirectory);

// Opens an existing archive: the store file, or the archive on a server.
void open(Connection &connection, const QString &archive);

// Opens the store; on a first start, when the file is missing, makes it
// (and its folder) with the five tables and the municipalities. It is built
// beside the final name and renamed only when complete, so an interrupted
// first start leaves no half-made store; what such a start left behind is
// removed. A folder where the store or its journal cannot be written is
// refused here, not at the first save. An existing file is never recreated
// or overwritten. `furnish` adds what every store must have beyond the
// register's tables (it adds only what is missing): a new store gets it in
// the transaction that makes it, an older one when it is opened. An
// archive on a server is connected to, never made: a server is prepared
// once by its owner.
void openOrCreate(Connection &connection, const QString &path, const std::function<void(Connection &)> &furnish = {});

}
