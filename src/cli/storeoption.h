#pragma once

#include "store/connection.h"
#include "store/storeerror.h"
#include "store/storefile.h"
#include "store/storelock.h"

#include <QStringList>
#include <QTextStream>

// The value of an option, taken out of the arguments with it; "-" when the
// value is missing, empty when the option is not there.
QString takeOption(QStringList &arguments, const QString &name);

// "--archivio FILE" (or a server's address) taken out of the arguments:
// that archive, or the one the program itself uses. Empty when the option lacks its file.
QString takeStorePath(QStringList &arguments);
// "--cartella DIR" taken out of the arguments, or empty.
QString takeFolder(QStringList &arguments);

// The year a command is given, 1970 to 9999; 0 for any other text.
int yearOf(const QString &text);

// Empty when the store is sound; otherwise why no command writes to it.
QString damageOf(const QString &path);

// The work on the open store, under its lock when one is given; a store
// failure is told with what was not done. Returns the exit status.
template<typename Work>
int onStore(const QString &path, const char *notDone, QTextStream &err, Work &&work, StoreLock *lock = nullptr)
{
    try {
        if (lock)
            lock->acquire();
        Connection store;
        storefile::open(store, path);
        return work(store);
    } catch (const StoreError &error) {
        err << notDone << error.message() << ".\n";
        return 1;
    }
}
