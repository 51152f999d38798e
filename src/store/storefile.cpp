#include "storefile.h"

#include "comuni.h"
#include "connection.h"
#include "schema.h"
#include "skipfailure.h"
#include "storeerror.h"
#include "transaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

void build(const QString &path)
{
    Connection fresh;
    fresh.create(path, storefile::password);
    QFile csv(QString::fromLatin1(comuni::resourcePath));
    if (!csv.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("l'elenco dei comuni non è nel programma"));
    {
        Transaction transaction(fresh);
        schema::install(fresh);
        transaction.commit();
    }
    comuni::load(fresh, csv);
    fresh.close();
}

}

QString storefile::pathIn(const QString &directory)
{
    return QDir(directory).filePath(QString::fromLatin1(fileName));
}

void storefile::openOrCreate(Connection &connection, const QString &path)
{
    if (!QFileInfo::exists(path)) {
        const QString partial = QStringLiteral("%1.nuovo-%2").arg(path).arg(QCoreApplication::applicationPid());
        QFile::remove(partial);
        try {
            build(partial);
        } catch (...) {
            QFile::remove(partial);
            throw;
        }
        // rename() never replaces: a store another copy of the program made
        // meanwhile is kept, and opened.
        if (!QFile::rename(partial, path)) {
            QFile::remove(partial);
            if (!QFileInfo::exists(path))
                throw StoreError(QStringLiteral("il file non può essere creato nella cartella del programma"));
        }
    }
    connection.open(path, password);
    // The indexes only make the lists fast: a store that cannot take them
    // (a read-only file) is still opened.
    skipFailure([&] { schema::ensureIndexes(connection); });
}
