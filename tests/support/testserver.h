#pragma once

#include <QString>

// The PostgreSQL server of the test run (started by the test command, or
// the one VELMORA_TEST_SERVER names) and its databases, each a copy of the
// prepared model archive.
namespace testserver {

// Whether this run works on the server rather than on store files
// (VELMORA_TEST_ENGINE=server, set by the test command for the server's
// runs).
bool inUse();
// The connection string of the server, without a database.
QString address();
// A new database, a copy of the model archive; its connection string.
QString freshArchive(QString *name = nullptr);
// A new, empty database, as an office makes one; its connection string.
QString emptyDatabase(QString *name);
// Removes a database made by freshArchive, whoever is still on it.
void drop(const QString &name);

}

// A case about the store file itself: the server's runs skip it.
#define FILE_STORE_ONLY()                                                                                                        \
    do {                                                                                                                         \
        if (testserver::inUse())                                                                                                 \
            QSKIP("a case of the store file, not the server");                                                                   \
    } while (false)
