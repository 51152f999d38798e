#pragma once

#include <functional>

class StoreError;
struct sqlite3;

// A store found damaged is used for reading only from then on, and the user
// is told even where a procedure skips its failures.
namespace damage {

// From now on the connection refuses every write.
void markStore(sqlite3 *db);
bool isMarked(sqlite3 *db);

// Who tells the user; the program's home window sets it while it lives.
void setReporter(std::function<void(const StoreError &)> reporter);
void report(const StoreError &error);

}
