#pragma once

#include <QString>

#include <functional>

class Connection;

// A copy of the open store into a new file, made with the engine's online
// copy under the same key and the same page size while the program works on.
namespace storecopy {

// Told how many of the store's pages are copied, of how many.
using Progress = std::function<void(int done, int total)>;

// Writes the copy; a StoreError says why not, telling a damaged store and a
// full disk from other causes.
void write(Connection &store, const QString &path, const Progress &progress = {});

}
