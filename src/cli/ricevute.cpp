#include "ricevute.h"

#include "einvoice/invoicefiles.h"
#include "einvoice/legalarchive.h"
#include "einvoice/receipts.h"
#include "einvoice/sending.h"
#include "store/money.h"
#include "refusaltold.h"
#include "storeoption.h"

#include <QDir>

namespace {

int ricevute(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    if (path.isEmpty() || arguments.size() != 1) {
        err << "Uso: velmora-cli ricevute CARTELLA [--archivio FILE]\n";
        return 2;
    }
    if (!QDir(arguments.first()).exists()) {
        err << "La cartella " << arguments.first() << " non esiste.\n";
        return 1;
    }
    if (const QString damaged = damageOf(path); !damaged.isEmpty()) {
        err << "Notifiche non lette: " << damaged << ".\n";
        return 1;
    }
    return onStore(path, "Notifiche non lette: ", err, [&](Connection &store) {
        int refused = 0;
        for (const receipts::Outcome &outcome : receipts::readFolder(store, arguments.first())) {
            out << receipts::describe(outcome) << '\n';
            refused += outcome.result == receipts::Outcome::Result::NoInvoice
                || outcome.result == receipts::Outcome::Result::NotANotification;
        }
        return refused > 0 ? 1 : 0;
    });
}

int invia(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    const bool again = arguments.removeAll(QStringLiteral("--ancora")) > 0;
    const int year = yearOf(arguments.value(1));
    if (path.isEmpty() || arguments.size() != 2 || year == 0) {
        err << "Uso: velmora-cli invia NUMERO ANNO [--ancora] [--archivio FILE] < password\n";
        return 2;
    }
    QTextStream in(stdin);
    const QByteArray password = in.readLine().toUtf8();
    if (password.isEmpty()) {
        err << "Manca la password della PEC: va data sullo standard input.\n";
        return 2;
    }
    return onStore(path, "File non inviato: ", err, [&](Connection &store) {
        return refusalTold(err, [&] {
            const sending::Sent sent = sending::sendLatest(store, arguments.at(0), year, password, again);
            out << sent.fileName << " inviato a " << sent.to << ", Message-ID " << sent.messageId << '\n';
            return 0;
        });
    });
}

int conserva(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    const QString folder = takeFolder(arguments);
    const int year = yearOf(arguments.value(0));
    if (path.isEmpty() || folder.isEmpty() || folder == QLatin1String("-") || arguments.size() != 1 || year == 0) {
        err << "Uso: velmora-cli conserva ANNO --cartella DIR [--archivio FILE]\n";
        return 2;
    }
    return onStore(path, "Conservazione non scritta: ", err, [&](Connection &store) {
        return refusalTold(err, [&] {
            out << legalarchive::exportYear(store, year, folder) << '\n';
            return 0;
        });
    });
}

int fatture(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    const int year = yearOf(arguments.value(0));
    if (path.isEmpty() || arguments.size() != 1 || year == 0) {
        err << "Uso: velmora-cli fatture ANNO [--archivio FILE]\n";
        return 2;
    }
    return onStore(path, "Fatture non elencate: ", err, [&](Connection &store) {
        for (const invoicefiles::Bill &bill : invoicefiles::ofYear(store, year)) {
            const qint64 total = bill.invoice ? bill.invoice->totalCents : bill.cents;
            const QString state = !bill.invoice ? QStringLiteral("da completare")
                : bill.fileName.isEmpty()       ? QStringLiteral("senza file")
                                                : bill.state;
            out << QStringList{bill.number,   bill.date.toString(QStringLiteral("dd/MM/yyyy")),
                               bill.client,   Money::fromCents(total).plainText(),
                               bill.fileName, state}
                       .join(QLatin1Char('\t'))
                << '\n';
        }
        return 0;
    });
}

}

const Subcommand ricevuteCommand{
    "ricevute",
    "legge le notifiche dello SdI di una cartella e aggiorna lo stato delle fatture",
    "velmora-cli ricevute CARTELLA [--archivio FILE]\n"
    "  Legge le notifiche dello SdI nella cartella: i file chiamati come lo SdI li chiama\n"
    "  (IT..._00001_RC_001.xml) e quelle allegate ai messaggi PEC salvati (.eml). Ognuna è\n"
    "  verificata sullo schema delle notifiche, abbinata per nome al file inviato e conservata\n"
    "  nell'archivio. Stampa una riga per notifica: la parcella e lo stato che ne risulta, oppure\n"
    "  perché non è stata presa. Uscita 1 se una notifica non è valida o non corrisponde a\n"
    "  nessuna fattura (le altre sono conservate comunque).\n",
    ricevute,
};

const Subcommand inviaCommand{
    "invia",
    "invia allo SdI, dalla PEC dello Studio, l'ultimo file di una parcella",
    "velmora-cli invia NUMERO ANNO [--ancora] [--archivio FILE] < password\n"
    "  Invia l'ultimo file della parcella (o della nota di credito) NUMERO dell'anno ANNO dalla\n"
    "  PEC dello Studio (server e utente nei dati dello Studio) all'indirizzo PEC dello SdI, su\n"
    "  TLS. La password della PEC si legge dalla prima riga dello standard input e non è mai\n"
    "  scritta. Il file è verificato di nuovo prima dell'invio; un file già inviato si invia\n"
    "  di nuovo solo con --ancora, e mai se è cambiato dopo l'invio. Stampa il file, il\n"
    "  destinatario e il Message-ID registrati; uscita 1 se l'invio non riesce.\n",
    invia,
};

const Subcommand conservaCommand{
    "conserva",
    "scrive lo ZIP dell'anno per la conservazione: file inviati, notifiche, indice",
    "velmora-cli conserva ANNO --cartella DIR [--archivio FILE]\n"
    "  Scrive nella cartella DIR \"Fatture elettroniche ANNO.zip\": ogni file inviato delle\n"
    "  parcelle dell'anno così come fu inviato (dall'archivio, verificato sull'impronta presa\n"
    "  all'invio), le notifiche dello SdI così come arrivarono e indice.csv (numero, data,\n"
    "  cliente, totale, file, invio, impronta SHA-256, stato, notifiche). Ne stampa il\n"
    "  percorso; uno ZIP precedente è sostituito. Uscita 1 se nulla è stato inviato o una\n"
    "  copia non corrisponde alla sua impronta.\n",
    conserva,
};

const Subcommand fattureCommand{
    "fatture",
    "elenca le parcelle e le note di credito di un anno con lo stato del loro file",
    "velmora-cli fatture ANNO [--archivio FILE]\n"
    "  Una riga per parcella e per nota di credito dell'anno, campi separati da tabulazioni:\n"
    "  numero, data, cliente, totale del documento, nome dell'ultimo file, stato (senza file, da\n"
    "  inviare, consegnata, non consegnata, scartata con i codici d'errore dello SdI, accettata,\n"
    "  rifiutata, decorrenza termini, non recapitata; da completare se la fattura non si può fare).\n",
    fatture,
};
