#include "archivecommands.h"

#include "archive/archiveexport.h"
#include "archive/backup.h"
#include "archive/restore.h"
#include "storeoption.h"
#include "store/integrity.h"
#include "store/recordset.h"

#include <QFileInfo>
#include <QHash>

namespace {

int verifica(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    if (path.isEmpty() || !arguments.isEmpty()) {
        err << "Uso: velmora-cli verifica [--archivio FILE]\n";
        return 2;
    }
    if (!storefile::isServerAddress(path) && !QFileInfo(path).isFile()) {
        err << "L'archivio " << path << " non esiste.\n";
        return 1;
    }
    const QString problems = integrity::problemsOf(path);
    if (!problems.isEmpty()) {
        // A server that does not answer has not damaged the archive.
        err << (storefile::isServerAddress(path) ? "Archivio non leggibile: " : "Archivio danneggiato: ") << problems << ".\n";
        return 1;
    }
    return onStore(path, "Archivio non leggibile: ", err, [&](Connection &store) {
        const auto count = [&](const char *sql) { return Recordset(store, QString::fromLatin1(sql)).fields(0).text(); };
        out << "archivio integro: " << path << ", " << count("SELECT count(*) FROM SOGGETTI") << " clienti, "
            << count("SELECT count(*) FROM PRESTAZIONI") << " prestazioni\n";
        return 0;
    });
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
    return onStore(path, "Copia non eseguita: ", err, [&](Connection &store) {
        const QString copy = backup::make(store, folder);
        if (folder.isEmpty())
            backup::rotate(backup::folderOf(path));
        out << copy << '\n';
        return 0;
    });
}

int esporta(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    const qsizetype at = arguments.indexOf(QStringLiteral("--formato"));
    const QString format = at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString();
    if (at >= 0)
        arguments.remove(at, qMin<qsizetype>(2, arguments.size() - at));
    const QHash<QString, archiveexport::Format> formats{{QStringLiteral("xlsx"), archiveexport::Format::Xlsx},
                                                        {QStringLiteral("csv"), archiveexport::Format::Csv},
                                                        {QStringLiteral("sqlite"), archiveexport::Format::Sqlite}};
    if (path.isEmpty() || !formats.contains(format) || arguments.size() != 1) {
        err << "Uso: velmora-cli esporta --formato xlsx|csv|sqlite DEST [--archivio FILE]\n";
        return 2;
    }
    return onStore(path, "Esportazione non eseguita: ", err, [&](Connection &store) {
        // A damaged store is still exported, for what can be saved of it, and
        // the script is told the export may lack rows.
        const QString damaged = integrity::problemsIn(store, integrity::Depth::Quick);
        for (const QString &file : archiveexport::write(store, formats.value(format), arguments.first()))
            out << file << '\n';
        if (damaged.isEmpty())
            return 0;
        err << "Attenzione: l'archivio è danneggiato (" << damaged << "); l'esportazione può essere incompleta.\n";
        return 1;
    });
}

int ripristina(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    if (path.isEmpty() || arguments.size() != 1) {
        err << "Uso: velmora-cli ripristina COPIA [--archivio FILE]\n";
        return 2;
    }
    StoreLock lock(path); // never under a running program
    return onStore(
        path, "Ripristino non eseguito: ", err,
        [&](Connection &store) {
            const QString kept = restore::fromCopy(store, arguments.first());
            out << "archivio precedente conservato in: " << kept << '\n' << path << '\n';
            return 0;
        },
        &lock);
}

}

const Subcommand ripristinaCommand{
    "ripristina",
    "rimette al suo posto una copia di sicurezza",
    "velmora-cli ripristina COPIA [--archivio FILE]\n"
    "  Verifica la copia, conserva l'archivio attuale come copia \"prima-del-ripristino\" e mette la\n"
    "  copia al posto dell'archivio in un solo passo. Rifiuta se il programma è aperto sull'archivio.\n"
    "  L'ultima riga è il percorso dell'archivio ripristinato.\n",
    ripristina,
};

const Subcommand esportaCommand{
    "esporta",
    "esporta tutto l'archivio in XLSX, CSV o SQLite",
    "velmora-cli esporta --formato xlsx|csv|sqlite DEST [--archivio FILE]\n"
    "  xlsx: una cartella di lavoro DEST con un foglio per tabella, date come date e importi in euro.\n"
    "  csv: nella cartella DEST un file per tabella, separati da \";\", virgola decimale, UTF-8 con BOM.\n"
    "  sqlite: un file SQLite DEST senza chiave, leggibile da qualunque strumento SQLite.\n"
    "  Un file già esistente non è mai sovrascritto. Stampa i file scritti, uno per riga.\n",
    esporta,
};

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
