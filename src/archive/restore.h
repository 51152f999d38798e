#pragma once

#include <QString>

class Connection;

// A copy put back in place of the store, while the program runs.
namespace restore {

// Checks the copy, keeps the store as it is now as a copy labelled
// "prima-del-ripristino" (the file as it lies when the store is damaged),
// puts the copy in place in one step and reopens the connection on it.
// Returns the path of what was kept. A StoreError leaves the store as it
// was, and open.
QString fromCopy(Connection &store, const QString &copyPath);

}
