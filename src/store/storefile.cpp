#include "storefile.h"

#include "comuni.h"
#include "connection.h"
#include "durablefile.h"
#include "schema.h"
#include "skipfailure.h"
#include "storeerror.h"
#include "transaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace {

void build(const QString &path, const std::function<void(Connection &)> &furnish)
{
    Connection fresh;
    fresh.create(path, storefile::password);
    {
        Transaction transaction(fresh);
        schema::install(fresh);
        if (furnish)
            furnish(fresh);
        transaction.commit();
    }
    if (comuni::addMissing(fresh) == 0)
        throw StoreError(QStringLiteral("l'elenco dei comuni non è nel programma"));
    fresh.close();
}

// What a first start or a restore killed midway left.
void removeUnfinished(const QString &path)
{
    const QFileInfo store(path);
    const QDir folder = store.absoluteDir();
    for (const QString &name : folder.entryList({store.fileName() + QStringLiteral(".nuovo-*")}, QDir::Files))
        QFile::remove(folder.filePath(name));
    // A copy being put back by a restore that was killed.
    for (const QString &name : folder.entryList({store.fileName() + QStringLiteral(".parziale-*")}, QDir::Files))
        if (durablefile::isLeftover(name))
            QFile::remove(folder.filePath(name));
}

// The journal of every change is made beside the store.
void requireWritableFolder(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".velmora-prova-XXXXXX")));
    if (!probe.open())
        throw StoreError(QStringLiteral("nella cartella %1 non si può scrivere").arg(folder));
}

void bringUpToDate(Connection &connection, const std::function<void(Connection &)> &furnish)
{
    // The indexes only make the lists fast: a store that cannot take them
    // (a read-only file) is still opened.
    skipFailure([&] { schema::ensureIndexes(connection); });
    skipFailure([&] {
        schema::ensureHistory(connection);
        connection.keepHistory();
    });
    // A store made by an earlier version gets the tables added since.
    if (furnish)
        skipFailure([&] { furnish(connection); });
    // A store made with an older list gets the municipalities made since.
    skipFailure([&] { comuni::addMissing(connection); });
}

}

QString storefile::pathIn(const QString &directory)
{
    return QDir(directory).filePath(QString::fromLatin1(fileName));
}

QString storefile::location(const QString &programDirectory)
{
    const QString beside = pathIn(programDirectory);
    if (QFileInfo::exists(beside))
        return beside;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return pathIn(QDir(data).filePath(QStringLiteral("velmora")));
}

QString storefile::chosenArchive(const QString &programDirectory)
{
    const QString own = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                            .filePath(QStringLiteral("velmora/archivio.conf"));
    for (const QString &path : {own, QStringLiteral("/etc/velmora/archivio.conf")}) {
        QFile settings(path);
        if (!settings.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        while (!settings.atEnd()) {
            const QString line = QString::fromUtf8(settings.readLine()).trimmed();
            if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
                return line;
        }
    }
    return location(programDirectory);
}

bool storefile::isServerAddress(const QString &archive)
{
    static const QRegularExpression server(QStringLiteral("^(postgres(ql)?://|\\s*service\\s*=)|\\b(dbname|host)\\s*="));
    return server.match(archive).hasMatch();
}

void storefile::open(Connection &connection, const QString &archive)
{
    if (isServerAddress(archive))
        connection.openServer(archive);
    else
        connection.open(archive, password);
}

void storefile::openOrCreate(Connection &connection, const QString &path, const std::function<void(Connection &)> &furnish)
{
    if (isServerAddress(path)) {
        connection.openServer(path);
        bringUpToDate(connection, furnish);
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    requireWritableFolder(path);
    removeUnfinished(path);
    if (!QFileInfo::exists(path)) {
        const QString partial = QStringLiteral("%1.nuovo-%2").arg(path).arg(QCoreApplication::applicationPid());
        try {
            build(partial, furnish);
        } catch (...) {
            QFile::remove(partial);
            throw;
        }
        // rename() never replaces: a store another copy of the program made
        // meanwhile is kept, and opened.
        if (!QFile::rename(partial, path)) {
            QFile::remove(partial);
            if (!QFileInfo::exists(path))
                throw StoreError(
                    QStringLiteral("il file non può essere creato nella cartella %1").arg(QFileInfo(path).absolutePath()));
        }
    }
    connection.open(path, password);
    bringUpToDate(connection, furnish);
}
