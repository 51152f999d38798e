#include "store/storecopy.h"

#include "sqliteengine.h"
#include "sqliteerror.h"
#include "store/connection.h"
#include "store/integrity.h"
#include "store/snapshotcopy.h"
#include "store/storeerror.h"
#include "store/storefile.h"

#include <QFileInfo>
#include <cerrno>
#include <sqlite3.h>

namespace storecopy {

void write(Connection &store, const QString &path, const Progress &progress)
{
    if (!sqliteEngineOf(store))
        return snapshotcopy::write(store, path, progress);
    SqliteEngine &file = *sqliteEngineOf(store);
    SqliteEngine copy(path, storefile::password, SqliteEngine::Mode::Create, file.pageSize());
    sqlite3_backup *run = sqlite3_backup_init(copy.handle(), "main", file.handle(), "main");
    if (!run)
        throw sqlite::errorOf(sqlite3_errcode(copy.handle()), sqlite3_errmsg(copy.handle()));
    // A slice of pages at a time, so a window can show how far it is.
    int rc = SQLITE_OK;
    do {
        rc = sqlite3_backup_step(run, 1024);
        const int total = sqlite3_backup_pagecount(run);
        if (progress && total > 0)
            progress(total - sqlite3_backup_remaining(run), total);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(run);
    if (rc == SQLITE_DONE)
        return;
    const int cause = sqlite3_system_errno(copy.handle());
    if (cause == ENOSPC || rc == SQLITE_FULL)
        throw StoreError(
            QStringLiteral("la copia non può essere scritta in %1: il disco è pieno").arg(QFileInfo(path).absolutePath()));
    // A store that cannot be read whole is told as such, not as the engine's
    // words for the copy that stopped.
    const QString problems = integrity::problemsOf(store.path());
    if (!problems.isEmpty())
        throw StoreError(QStringLiteral("l'archivio è danneggiato e non può essere copiato per intero: %1").arg(problems));
    throw StoreError(QStringLiteral("la copia non può essere scritta in %1: %2")
                         .arg(QFileInfo(path).absolutePath(), QString::fromUtf8(sqlite3_errstr(rc))));
}

}
