#include "fattura.h"

#include "einvoice/invoicefiles.h"
#include "refusaltold.h"
#include "storeoption.h"

namespace {

// A file for bill NUMERO of ANNO, written by `write` into the folder given
// (which only a credit note may leave out); its path printed.
template<typename Write>
int billFile(const QStringList &given, QTextStream &out, QTextStream &err, const char *usage, bool folderNeeded,
             const char *notWritten, Write write)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    const QString folder = takeFolder(arguments);
    const int year = yearOf(arguments.value(1));
    if (path.isEmpty() || (folderNeeded && folder.isEmpty()) || folder == QLatin1String("-") || arguments.size() != 2
        || year == 0) {
        err << "Uso: " << usage << '\n';
        return 2;
    }
    if (const QString damaged = damageOf(path); !damaged.isEmpty()) {
        err << notWritten << damaged << ".\n";
        return 1;
    }
    return onStore(path, notWritten, err, [&](Connection &store) {
        return refusalTold(err, [&] {
            out << write(store, arguments.at(0), year, folder) << '\n';
            return 0;
        });
    });
}

int fattura(const QStringList &given, QTextStream &out, QTextStream &err)
{
    return billFile(given, out, err, "velmora-cli fattura NUMERO ANNO --cartella DIR [--archivio FILE]", true,
                    "Fattura non scritta: ", [](Connection &store, const QString &number, int year, const QString &folder) {
                        return invoicefiles::generate(store, number, year, folder);
                    });
}

int nota(const QStringList &given, QTextStream &out, QTextStream &err)
{
    return billFile(
        given, out, err, "velmora-cli nota NUMERO ANNO [--cartella DIR] [--archivio FILE]", false,
        "Nota di credito non scritta: ", [](Connection &store, const QString &number, int year, const QString &folder) {
            const QStringList issued = invoicefiles::creditNotesOf(store, number, year);
            if (!issued.isEmpty())
                throw InvoiceRefused{QStringLiteral("La parcella n. %1 del %2 ha già la nota di credito %3")
                                         .arg(number)
                                         .arg(year)
                                         .arg(issued.join(QStringLiteral(", ")))};
            return invoicefiles::creditNote(store, number, year, {}, folder);
        });
}

}

const Subcommand fatturaCommand{
    "fattura",
    "scrive il file FatturaPA di una parcella, controllato sullo schema e sulle regole SdI",
    "velmora-cli fattura NUMERO ANNO --cartella DIR [--archivio FILE]\n"
    "  Scrive nella cartella DIR il file XML della parcella NUMERO dell'anno ANNO (le prestazioni\n"
    "  parcellate con quel numero e la data di parcellazione in quell'anno), chiamato\n"
    "  IT<codice fiscale dello Studio>_<progressivo>.xml, e ne stampa il percorso. Il file è\n"
    "  scritto solo se supera lo schema FatturaPA e le regole SdI; altrimenti il motivo va\n"
    "  sull'errore standard e l'uscita è 1. Ogni file prende un nuovo progressivo.\n",
    fattura,
};

const Subcommand notaCommand{
    "nota",
    "scrive la nota di credito di tutta una parcella, con il riferimento alla fattura",
    "velmora-cli nota NUMERO ANNO [--cartella DIR] [--archivio FILE]\n"
    "  Scrive il file XML (TD04) della nota di credito, datata oggi, per tutta la parcella NUMERO\n"
    "  dell'anno ANNO: prende il numero seguente delle note dell'anno (NC1, NC2, ...), nomina\n"
    "  numero e data della fattura che storna, e va nella cartella DIR o, senza, in quella\n"
    "  dell'ultimo file della parcella. Ne stampa il percorso. Una parcella che ha già una nota\n"
    "  di credito è rifiutata, come una nota che non supera lo schema e le regole SdI.\n",
    nota,
};
