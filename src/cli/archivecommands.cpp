#include "archivecommands.h"

#include "archive/backup.h"
#include "storeoption.h"
#include "store/connection.h"
#include "store/integrity.h"
#include "store/recordset.h"
#include "store/storeerror.h"
#include "store/storefile.h"

#include <QFileInfo>

namespace {

int verifica(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    if (path.isEmpty() || !arguments.isEmpty()) {
        err << "Uso: velmora-cli verifica [--archivio FILE]\n";
        return 2;
    }
    if (!QFileInfo(path).isFile()) {
        err << "L'archivio " << path << " non esiste.\n";
        return 1;
    }
    const QString problems = integrity::problemsOf(path);
    if (!problems.isEmpty()) {
        err << "Archivio danneggiato: " << problems << ".\n";
        return 1;
    }
    try {
        Connection store;
        store.open(path, storefile::password);
        const auto count = [&](const char *sql) { return Recordset(store, QString::fromLatin1(sql)).fields(0).text(); };
        out << "archivio integro: " << path << ", " << count("SELECT count(*) FROM SOGGETTI") << " clienti, "
            << count("SELECT count(*) FROM PRESTAZIONI") << " prestazioni\n";
        return 0;
    } catch (const StoreError &error) {
        err << "Archivio non leggibile: " << error.message() << ".\n";
        return 1;
    }
}

int copia(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    const QString folder = takeFolder(arguments);
    if (path.isEmpty() || folder == QLatin1String("-") || !arguments.isEmpty()) {
        err << "Uso: velmora-cli copia [--cartella DIR] [--archivio FILE]\n";
        return 2;
    }
    try {
        Connection store;
        store.open(path, storefile::password);
        const QString copy = backup::make(store, folder);
        if (folder.isEmpty())
            backup::rotate(backup::folderOf(path));
        out << copy << '\n';
        return 0;
    } catch (const StoreError &error) {
        err << "Copia non eseguita: " << error.message() << ".\n";
        return 1;
    }
}

}

const Subcommand verificaCommand{
    "verifica",
    "verifica l'integrità dell'archivio",
    "velmora-cli verifica [--archivio FILE]\n"
    "  Controlla la struttura dell'archivio. Se è integro stampa una riga con i clienti e le\n"
    "  prestazioni ed esce con 0; altrimenti spiega il problema ed esce con 1.\n",
    verifica,
};

const Subcommand copiaCommand{
    "copia",
    "fa una copia di sicurezza verificata",
    "velmora-cli copia [--cartella DIR] [--archivio FILE]\n"
    "  Copia l'archivio, anche mentre il programma è aperto, nella cartella DIR o nella cartella\n"
    "  backup accanto all'archivio (dove le copie vecchie sono poi sfoltite: 7 giornaliere,\n"
    "  4 settimanali, 12 mensili). La copia è riaperta e verificata; l'ultima riga è il suo percorso.\n",
    copia,
};
