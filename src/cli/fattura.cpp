#include "fattura.h"

#include "einvoice/invoicefiles.h"
#include "einvoice/invoicerefused.h"
#include "storeoption.h"

namespace {

int fattura(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    const QString folder = takeFolder(arguments);
    bool yearGiven = false;
    const int year = arguments.value(1).toInt(&yearGiven);
    if (path.isEmpty() || folder.isEmpty() || folder == QLatin1String("-") || arguments.size() != 2 || !yearGiven
        || year < 1970 || year > 9999) {
        err << "Uso: velmora-cli fattura NUMERO ANNO --cartella DIR [--archivio FILE]\n";
        return 2;
    }
    if (const QString damaged = damageOf(path); !damaged.isEmpty()) {
        err << "Fattura non scritta: " << damaged << ".\n";
        return 1;
    }
    return onStore(path, "Fattura non scritta: ", err, [&](Connection &store) {
        try {
            out << invoicefiles::generate(store, arguments.at(0), year, folder) << '\n';
            return 0;
        } catch (const InvoiceRefused &refused) {
            err << refused.message << '\n';
            return 1;
        }
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
