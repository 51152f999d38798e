#include "storefile.h"

#include "comuni.h"
#include "connection.h"
#include "schema.h"
#include "storeerror.h"
#include "transaction.h"

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
        const QString partial = path + QStringLiteral(".nuovo");
        QFile::remove(partial);
        try {
            build(partial);
        } catch (...) {
            QFile::remove(partial);
            throw;
        }
        if (!QFile::rename(partial, path)) {
            QFile::remove(partial);
            throw StoreError(QStringLiteral("il file non può essere creato nella cartella del programma"));
        }
    }
    connection.open(path, password);
}
