#include "restore.h"

#include "backup.h"
#include "store/connection.h"
#include "store/durablefile.h"
#include "store/integrity.h"
#include "store/storeerror.h"
#include "store/storefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace restore {

namespace {

const QString Before = QStringLiteral("prima-del-ripristino");

// The store as it is now, kept before it is replaced: a verified copy, or
// the file as it lies when the store is damaged. A sound store that cannot
// be copied (a full disk) is not taken for a damaged one: the restore stops.
QString keepCurrent(Connection &store)
{
    if (!store.isDamaged()) {
        try {
            return backup::make(store, QString(), Before);
        } catch (const StoreError &error) {
            if (integrity::problemsOf(store.path()).isEmpty())
                throw StoreError(QStringLiteral("l'archivio attuale non può essere messo da parte: %1").arg(error.message()));
        }
    }
    const QString folder = backup::folderOf(store.path());
    QDir().mkpath(folder);
    const QString kept = backup::newPath(folder, Before + QStringLiteral("-danneggiato"));
    durablefile::make(kept, [&](const QString &partial) { durablefile::copyWhole(store.path(), partial); });
    return kept;
}

}

QString fromCopy(Connection &store, const QString &copyPath)
{
    // A shared archive is put back by its owner, with the desks closed.
    if (store.isServer())
        throw StoreError(QStringLiteral("l'archivio è su un server: lo rimette da una copia il suo proprietario con "
                                        "«velmora-cli server ripristina COPIA SERVER»"));
    const QString problems = integrity::problemsOf(copyPath);
    if (!problems.isEmpty())
        throw StoreError(QStringLiteral("la copia %1 non è utilizzabile: %2").arg(copyPath, problems));
    const QString storePath = store.path();
    const QString kept = keepCurrent(store);
    // The copy is laid beside the store, then renamed over it: the store is
    // either the old file or the whole copy, never half of one.
    const QString incoming = durablefile::partialName(storePath);
    try {
        durablefile::copyWhole(copyPath, incoming);
    } catch (const StoreError &error) {
        throw StoreError(QStringLiteral("la copia non può essere scritta nella cartella dell'archivio: %1").arg(error.message()));
    }
    store.close();
    bool replaced = true;
    QString cause;
    try {
        durablefile::replace(incoming, storePath);
    } catch (const StoreError &error) {
        QFile::remove(incoming);
        replaced = false;
        cause = error.message();
    }
    storefile::openOrCreate(store, storePath);
    if (!replaced)
        throw StoreError(QStringLiteral("la copia non ha potuto prendere il posto dell'archivio: %1").arg(cause));
    return kept;
}

}
