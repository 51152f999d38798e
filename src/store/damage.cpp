#include "damage.h"

#include "storeerror.h"

#include <sqlite3.h>

namespace {

std::function<void(const StoreError &)> &reporter()
{
    static std::function<void(const StoreError &)> current;
    return current;
}

}

void damage::markStore(sqlite3 *db)
{
    sqlite3_exec(db, "PRAGMA query_only = 1", nullptr, nullptr, nullptr);
}

bool damage::isMarked(sqlite3 *db)
{
    sqlite3_stmt *stmt = nullptr;
    bool marked = false;
    if (sqlite3_prepare_v2(db, "PRAGMA query_only", -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        marked = sqlite3_column_int(stmt, 0) != 0;
    sqlite3_finalize(stmt);
    return marked;
}

void damage::setReporter(std::function<void(const StoreError &)> newReporter)
{
    reporter() = std::move(newReporter);
}

void damage::report(const StoreError &error)
{
    if (reporter())
        reporter()(error);
}
