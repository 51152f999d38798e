#include "restore.h"

#include "backup.h"
#include "store/connection.h"
#include "store/integrity.h"
#include "store/storeerror.h"
#include "store/storefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace restore {

namespace {

const QString Before = QStringLiteral("prima-del-ripristino");

// The store as it is now, kept before it is replaced.
QString keepCurrent(Connection &store)
{
    if (!store.isDamaged()) {
        try {
            return backup::make(store, QString(), Before);
        } catch (const StoreError &) {
            // Damage the copy itself found: the file is kept as it lies.
        }
    }
    const QString folder = backup::folderOf(store.path());
    QDir().mkpath(folder);
    const QString kept = backup::newPath(folder, Before + QStringLiteral("-danneggiato"));
    if (!QFile::copy(store.path(), kept))
        throw StoreError(QStringLiteral("l'archivio attuale non può essere messo da parte in %1").arg(kept));
    return kept;
}

}

QString fromCopy(Connection &store, const QString &copyPath)
{
    const QString problems = integrity::problemsOf(copyPath);
    if (!problems.isEmpty())
        throw StoreError(QStringLiteral("la copia %1 non è utilizzabile: %2").arg(copyPath, problems));
    const QString storePath = store.path();
    const QString kept = keepCurrent(store);
    // The copy is laid beside the store, then renamed over it: the store is
    // either the old file or the whole copy, never half of one.
    const QString incoming = storePath + QStringLiteral(".ripristino");
    QFile::remove(incoming);
    if (!QFile::copy(copyPath, incoming))
        throw StoreError(QStringLiteral("la copia non può essere scritta nella cartella dell'archivio"));
    store.close();
    const bool replaced = std::rename(QFile::encodeName(incoming).constData(), QFile::encodeName(storePath).constData()) == 0;
    if (!replaced)
        QFile::remove(incoming);
    storefile::openOrCreate(store, storePath);
    if (!replaced)
        throw StoreError(QStringLiteral("la copia non ha potuto prendere il posto dell'archivio"));
    return kept;
}

}
