#include "invoicechecks.h"

#include "billsource.h"
#include "codelists.h"
#include "invoicerefused.h"
#include "office.h"

#include "taxcodes/iban.h"
#include "taxcodes/taxcode.h"
#include "taxcodes/vatnumber.h"

#include <QHash>
#include <QRegularExpression>

namespace invoicechecks {

namespace {

// Each pattern compiled once: the checks run for every bill a window lists.
bool matches(const QString &text, const char *pattern)
{
    static QHash<const char *, QRegularExpression> compiled;
    auto found = compiled.find(pattern);
    if (found == compiled.end())
        found = compiled.insert(pattern, QRegularExpression(QStringLiteral("^(?:%1)$").arg(QLatin1String(pattern))));
    return found->match(text).hasMatch();
}

// An address abroad keeps its own postal code and has no province.
void checkAddress(QStringList &faults, const QString &whose, const QString &indirizzo, const QString &cap, const QString &comune,
                  const QString &pr, bool abroad = false)
{
    if (indirizzo.isEmpty())
        faults << QStringLiteral("Manca l'indirizzo %1").arg(whose);
    else if (indirizzo.size() > 60)
        faults << QStringLiteral("L'indirizzo %1 supera i 60 caratteri ammessi").arg(whose);
    if (!abroad && !matches(cap, "[0-9]{5}"))
        faults << QStringLiteral("Il CAP %1 deve avere cinque cifre").arg(whose);
    if (comune.isEmpty())
        faults << QStringLiteral("Manca il comune %1").arg(whose);
    if (!abroad && !pr.isEmpty() && !matches(pr, "[A-Z]{2}"))
        faults << QStringLiteral("La provincia %1 deve essere di due lettere").arg(whose);
}

enum class Gender { Masculine, Feminine };

void checkCode(QStringList &faults, const CodeCheck &check, const QString &what, Gender gender = Gender::Masculine)
{
    if (check.state == CodeCheck::State::Invalid)
        faults << QStringLiteral("%1 non è %2: %3")
                      .arg(what, gender == Gender::Feminine ? QStringLiteral("valida") : QStringLiteral("valido"), check.reason);
}

void checkVat(QStringList &faults, int rate, const QString &natura, const QString &where)
{
    if (rate != 0)
        return;
    const QList<codelists::Code> refinements = codelists::refinementsOf(QStringLiteral("NaturaType"), natura);
    if (natura.isEmpty()) {
        faults << QStringLiteral("Aliquota IVA 0 senza natura %1 (regola SdI 00400)").arg(where);
    } else if (!refinements.isEmpty()) {
        QStringList choices;
        for (const codelists::Code &code : refinements)
            choices << QStringLiteral("%1 (%2)").arg(code.code, code.description);
        faults << QStringLiteral("La natura generica «%1» %2 non è più ammessa (regola SdI 00445): scegliere una fra %3")
                      .arg(natura, where, choices.join(QStringLiteral(", ")));
    } else if (!codelists::natura().contains(natura)) {
        faults << QStringLiteral("La natura «%1» %2 non è un codice ammesso").arg(natura, where);
    }
}

void checkOffice(QStringList &faults, const Office &office)
{
    const QString whose = QStringLiteral("dello Studio");
    if (office.isPerson() && (office.nome.isEmpty() || office.cognome.isEmpty()))
        faults << QStringLiteral("Manca la denominazione (o il nome e il cognome) dello Studio");
    if (office.piva.isEmpty())
        faults << QStringLiteral("Manca la partita IVA dello Studio");
    else
        checkCode(faults, vatnumber::check(office.piva), QStringLiteral("La partita IVA dello Studio"), Gender::Feminine);
    if (!office.codice.isEmpty())
        checkCode(faults, taxcode::check(office.codice), QStringLiteral("Il codice fiscale dello Studio"));
    if (!codelists::regime().contains(office.regime))
        faults << QStringLiteral("Manca il regime fiscale dello Studio (RF01 ordinario, RF19 forfettario, ...)");
    checkAddress(faults, whose, office.indirizzo, office.cap, office.comune, office.pr);
    if (office.iban.isEmpty())
        faults << QStringLiteral("Manca l'IBAN dello Studio: serve al pagamento con bonifico");
    else
        checkCode(faults, iban::check(office.iban), QStringLiteral("L'IBAN dello Studio"));
    if (!office.cassa.isEmpty() && !codelists::cassa().contains(office.cassa))
        faults << QStringLiteral("La cassa previdenziale «%1» dello Studio non è un codice ammesso").arg(office.cassa);
    if (!office.cassa.isEmpty() && office.alCassa == 0)
        faults << QStringLiteral("Manca l'aliquota della cassa previdenziale dello Studio");
    if (!office.tipoRitenuta.isEmpty() && !matches(office.tipoRitenuta, "RT0[1-6]"))
        faults << QStringLiteral("Il tipo di ritenuta «%1» dello Studio non è un codice ammesso").arg(office.tipoRitenuta);
}

void checkClient(QStringList &faults, const Office &office, const BillClient &client)
{
    const QString whose = QStringLiteral("del cliente %1").arg(client.soggetto);
    const bool abroad = client.isForeign();
    // A client abroad without a number is written with the SdI's
    // placeholder.
    if (client.piva.isEmpty() && client.codice.isEmpty() && !abroad)
        faults << QStringLiteral("Mancano la partita IVA e il codice fiscale %1 (regola SdI 00417)").arg(whose);
    // A foreign number's form informs in the client's window; the SdI
    // does not check it.
    if (!client.piva.isEmpty() && !abroad)
        checkCode(faults, vatnumber::check(client.piva), QStringLiteral("La partita IVA %1").arg(whose), Gender::Feminine);
    if (!client.codice.isEmpty() && !abroad)
        checkCode(faults, taxcode::check(client.codice), QStringLiteral("Il codice fiscale %1").arg(whose));
    if (!matches(client.country(), "[A-Z]{2}"))
        faults << QStringLiteral("La nazione «%1» %2 deve essere il codice di due lettere del paese (DE, FR, CH, ...)")
                      .arg(client.country(), whose);
    checkAddress(faults, whose, client.indirizzo, client.cap, client.comune, client.pr, abroad);
    if (!client.codDest.isEmpty() && !matches(client.codDest, "[A-Z0-9]{6,7}"))
        faults << QStringLiteral("Il codice destinatario %1 deve avere 7 caratteri, o 6 per la pubblica amministrazione "
                                 "(regola SdI 00427)")
                      .arg(whose);
    if ((client.codDest.isEmpty() || client.codDest == QLatin1String("0000000")) && client.pec.isEmpty() && !client.piva.isEmpty()
        && !abroad)
        faults << QStringLiteral("Manca il codice destinatario o la PEC %1").arg(whose);
    if (!client.pec.isEmpty() && !matches(client.pec, "[^@\\s]+@[^@\\s]+\\.[^@\\s]+"))
        faults << QStringLiteral("La PEC %1 non è un indirizzo valido").arg(whose);
    if (client.nome.isEmpty() != client.cognome.isEmpty())
        faults << QStringLiteral("Per il cliente %1 servono sia il nome sia il cognome").arg(client.soggetto);
    if (client.nome.isEmpty() && client.soggetto.size() > 80)
        faults << QStringLiteral("La denominazione %1 supera gli 80 caratteri ammessi").arg(whose);
    if (client.codDest == QLatin1String("XXXXXXX") && !abroad)
        faults << QStringLiteral("Il codice destinatario XXXXXXX %1 è solo per i clienti esteri: il cliente è in Italia "
                                 "(regola SdI 00313)")
                      .arg(whose);
    if (!client.piva.isEmpty() && !abroad && vatnumber::canonical(client.piva) == vatnumber::canonical(office.piva))
        faults << QStringLiteral("La partita IVA %1 è quella dello Studio: una fattura non si emette a sé stessi "
                                 "(regola SdI 00471)")
                      .arg(whose);
    if (!client.cig.isEmpty() && !matches(client.cig, "[A-Z0-9]{10}"))
        faults << QStringLiteral("Il CIG %1 deve avere 10 lettere o cifre").arg(whose);
    if (!client.cup.isEmpty() && !matches(client.cup, "[A-Z0-9]{15}"))
        faults << QStringLiteral("Il CUP %1 deve avere 15 lettere o cifre").arg(whose);
    if (client.withholds(office.ritenuta) && !office.isFlatRate() && office.alRitenuta == 0)
        faults << QStringLiteral("Manca l'aliquota della ritenuta dello Studio: il cliente %1 applica la ritenuta")
                      .arg(client.soggetto);
}

void checkServices(QStringList &faults, const Office &office, const BillSource &bill)
{
    if (!matches(bill.number, ".*[0-9].*"))
        faults << QStringLiteral("Il numero della parcella «%1» non contiene cifre (regola SdI 00425)").arg(bill.number);
    if (bill.date > QDate::currentDate())
        faults << QStringLiteral("La parcella n. %1 è datata %2, dopo oggi: il SdI scarta le fatture con data futura "
                                 "(regola SdI 00403)")
                      .arg(bill.number, bill.date.toString(QStringLiteral("dd/MM/yyyy")));
    if (bill.number.size() > 20)
        faults << QStringLiteral("Il numero della parcella «%1» supera i 20 caratteri ammessi").arg(bill.number);
    QStringList seen;
    for (const BillService &service : bill.services) {
        if (service.causale.isEmpty())
            faults << QStringLiteral("La prestazione del %1 non ha causale: la riga della fattura resterebbe senza descrizione")
                          .arg(service.datar.toString(QStringLiteral("dd/MM/yyyy")));
        if (seen.contains(service.causale))
            continue;
        seen << service.causale;
        const int rate = service.aliquota.value_or(office.aliquota);
        checkVat(faults, rate, service.natura.isEmpty() ? office.natura : service.natura,
                 QStringLiteral("per la causale %1").arg(service.causale));
    }
}

}

const Office &requireComplete(const std::optional<Office> &office, const BillSource &bill)
{
    if (!office)
        throw InvoiceRefused{QStringLiteral("Mancano i dati dello Studio: compilarli in Archivio, «Dati dello Studio»")};
    QStringList faults;
    checkOffice(faults, *office);
    checkClient(faults, *office, bill.client);
    checkServices(faults, *office, bill);
    if (!faults.isEmpty())
        throw InvoiceRefused{faults.join(QLatin1Char('\n'))};
    return *office;
}

}
