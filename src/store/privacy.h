#pragma once

#include <QString>

// The store, its copies, its lock, the e-invoices and the exports hold the
// clients' tax codes: what the program makes is its user's alone, unless it
// is put in a folder of someone else's, who must be able to read it.
namespace privacy {

// From now on every file the program makes is readable by its user only
// (0600, folders 0700); the program's own folders and the store made by an
// earlier version are made so too.
void keepPrivate(const QString &storePath);
// A file or folder just put in a folder owned by someone else gets the
// permissions the user's own settings give (its umask).
void shareInOthersFolder(const QString &path);

}
