#include "invoicexml.h"

#include "billsource.h"
#include "figures.h"
#include "invoice.h"
#include "latintext.h"
#include "office.h"
#include "schemafiles.h"

#include "taxcodes/codecheck.h"
#include "taxcodes/vatnumber.h"

#include <QRegularExpression>
#include <QXmlStreamWriter>

namespace invoicexml {

namespace {

using namespace invoice;

class Writer
{
public:
    explicit Writer(QByteArray *bytes) : m_xml(bytes) { m_xml.setAutoFormatting(true); }

    void open(const char *name) { m_xml.writeStartElement(QLatin1String(name)); }
    void close() { m_xml.writeEndElement(); }
    void text(const char *name, const QString &value) { m_xml.writeTextElement(QLatin1String(name), value); }
    void latin(const char *name, const QString &value, int maxLength) { text(name, latinText(value, maxLength)); }
    void amount(const char *name, qint64 cents) { text(name, figures::amountText(cents)); }
    void rate(const char *name, int hundredths) { text(name, figures::rateText(hundredths)); }
    QXmlStreamWriter &stream() { return m_xml; }

private:
    QXmlStreamWriter m_xml;
};

// "IT01234567890", or a foreign number with its own prefix ("EL" for
// Greece), or the client's country before it.
void vatId(Writer &w, const QString &country, const QString &number)
{
    const QString code = normalizedCode(number);
    const bool prefixed = code.size() > 2 && code.at(0).isLetter() && code.at(1).isLetter();
    const QString prefix = prefixed ? code.left(2) : country;
    w.open("IdFiscaleIVA");
    w.text("IdPaese", prefix);
    w.text("IdCodice", (prefix == QLatin1String("IT") ? vatnumber::canonical(code) : prefixed ? code.mid(2) : code).left(28));
    w.close();
}

void registry(Writer &w, const QString &denominazione, const QString &nome, const QString &cognome)
{
    w.open("Anagrafica");
    if (!denominazione.isEmpty()) {
        w.latin("Denominazione", denominazione, 80);
    } else {
        w.latin("Nome", nome, 60);
        w.latin("Cognome", cognome, 60);
    }
    w.close();
}

// Abroad the field takes no province, and a postal code that is not of
// five digits goes before the town, the field holding 00000.
void address(Writer &w, const QString &indirizzo, const QString &cap, const QString &comune, const QString &pr,
             const QString &country)
{
    const bool italy = country == QLatin1String("IT");
    static const QRegularExpression fiveDigits(QStringLiteral("^[0-9]{5}$"));
    const bool capFits = fiveDigits.match(cap).hasMatch();
    w.open("Sede");
    w.latin("Indirizzo", indirizzo, 60);
    w.text("CAP", capFits || italy ? cap : QStringLiteral("00000"));
    w.latin("Comune", capFits || italy || cap.isEmpty() ? comune : cap + QLatin1Char(' ') + comune, 60);
    if (!pr.isEmpty() && italy)
        w.text("Provincia", pr);
    w.text("Nazione", country);
    w.close();
}

void header(Writer &w, const Office &office, const BillSource &bill, const Invoice &invoice, const QString &progressive)
{
    w.open("FatturaElettronicaHeader");
    w.open("DatiTrasmissione");
    w.open("IdTrasmittente");
    w.text("IdPaese", QStringLiteral("IT"));
    w.text("IdCodice", transmitterId(office));
    w.close();
    w.text("ProgressivoInvio", progressive);
    w.text("FormatoTrasmissione", invoice.formato);
    w.text("CodiceDestinatario", invoice.codiceDestinatario);
    if (invoice.codiceDestinatario == QLatin1String("0000000") && !bill.client.pec.isEmpty())
        w.text("PECDestinatario", bill.client.pec);
    w.close();

    w.open("CedentePrestatore");
    w.open("DatiAnagrafici");
    vatId(w, QStringLiteral("IT"), office.piva);
    if (!office.codice.isEmpty())
        w.text("CodiceFiscale", normalizedCode(office.codice));
    registry(w, office.denominazione, office.nome, office.cognome);
    w.text("RegimeFiscale", office.regime);
    w.close();
    address(w, office.indirizzo, office.cap, office.comune, office.pr, QStringLiteral("IT"));
    // The reference a public administration routes its invoices by.
    if (!bill.client.rifAmm.isEmpty())
        w.latin("RiferimentoAmministrazione", bill.client.rifAmm, 20);
    w.close();

    const BillClient &client = bill.client;
    w.open("CessionarioCommittente");
    w.open("DatiAnagrafici");
    const QString country = client.country();
    // An Italian tax code only in Italy.
    if (client.isForeign())
        vatId(w, country, client.foreignId());
    else if (!client.piva.isEmpty())
        vatId(w, country, client.piva);
    if (!client.codice.isEmpty() && !client.isForeign())
        w.text("CodiceFiscale", normalizedCode(client.codice));
    registry(w, client.nome.isEmpty() ? client.soggetto : QString(), client.nome, client.cognome);
    w.close();
    address(w, client.indirizzo, client.postalCode(), client.comune, client.pr, country);
    w.close();
    w.close();
}

void nature(Writer &w, const Vat &vat)
{
    if (vat.rate == 0)
        w.text("Natura", vat.natura);
}

// The rate, the withholding mark and the nature of a line or of the fund,
// in the schema's order.
void taxes(Writer &w, const Vat &vat, bool withheld)
{
    w.rate("AliquotaIVA", vat.rate);
    if (withheld)
        w.text("Ritenuta", QStringLiteral("SI"));
    nature(w, vat);
}

// The order or contract a public administration's invoice refers to,
// with its CIG and CUP; an order without a number of its own when only
// the codes are known.
void purchaseReferences(Writer &w, const BillClient &client)
{
    const bool codes = !client.cig.isEmpty() || !client.cup.isEmpty();
    const auto reference = [&](const char *element, const QString &number) {
        w.open(element);
        w.latin("IdDocumento", number, 20);
        if (!client.cup.isEmpty())
            w.text("CodiceCUP", client.cup);
        if (!client.cig.isEmpty())
            w.text("CodiceCIG", client.cig);
        w.close();
    };
    if (!client.ordine.isEmpty() || (codes && client.contratto.isEmpty()))
        reference("DatiOrdineAcquisto", client.ordine.isEmpty() ? QStringLiteral("ND") : client.ordine);
    if (!client.contratto.isEmpty())
        reference("DatiContratto", client.contratto);
}

void generalData(Writer &w, const BillClient &client, const Invoice &invoice)
{
    w.open("DatiGenerali");
    w.open("DatiGeneraliDocumento");
    w.text("TipoDocumento", invoice.tipoDocumento);
    w.text("Divisa", QStringLiteral("EUR"));
    w.text("Data", invoice.date.toString(Qt::ISODate));
    w.text("Numero", invoice.number);
    if (invoice.withholding) {
        w.open("DatiRitenuta");
        w.text("TipoRitenuta", invoice.withholding->tipo);
        w.amount("ImportoRitenuta", invoice.withholding->amountCents);
        w.rate("AliquotaRitenuta", invoice.withholding->rate);
        w.text("CausalePagamento", invoice.withholding->causale);
        w.close();
    }
    if (invoice.stampCents > 0) {
        w.open("DatiBollo");
        w.text("BolloVirtuale", QStringLiteral("SI"));
        w.amount("ImportoBollo", invoice.stampCents);
        w.close();
    }
    for (const Fund &fund : invoice.funds) {
        w.open("DatiCassaPrevidenziale");
        w.text("TipoCassa", fund.tipo);
        w.rate("AlCassa", fund.rate);
        w.amount("ImportoContributoCassa", fund.contributionCents);
        w.amount("ImponibileCassa", fund.baseCents);
        taxes(w, fund.vat, fund.withheld);
        w.close();
    }
    w.amount("ImportoTotaleDocumento", invoice.totalCents);
    w.close();
    purchaseReferences(w, client);
    if (!invoice.correctedNumber.isEmpty()) {
        w.open("DatiFattureCollegate");
        w.latin("IdDocumento", invoice.correctedNumber, 20);
        w.text("Data", invoice.correctedDate.toString(Qt::ISODate));
        w.close();
    }
    w.close();
}

void goodsAndServices(Writer &w, const Invoice &invoice)
{
    w.open("DatiBeniServizi");
    for (const Line &line : invoice.lines) {
        w.open("DettaglioLinee");
        w.text("NumeroLinea", QString::number(line.number));
        w.latin("Descrizione", line.description, DescriptionLength);
        if (line.quantity)
            w.text("Quantita", figures::eightDecimalText(*line.quantity));
        w.text("PrezzoUnitario", figures::eightDecimalText(line.unitPrice));
        w.amount("PrezzoTotale", line.totalCents);
        taxes(w, line.vat, line.withheld);
        w.close();
    }
    for (const Summary &summary : invoice.summaries) {
        w.open("DatiRiepilogo");
        w.rate("AliquotaIVA", summary.vat.rate);
        nature(w, summary.vat);
        w.amount("ImponibileImporto", summary.taxableCents);
        w.amount("Imposta", summary.taxCents);
        w.text("EsigibilitaIVA", QString(summary.esigibilita));
        if (!summary.law.isEmpty())
            w.latin("RiferimentoNormativo", summary.law, 100);
        w.close();
    }
    w.close();
}

// One detail per instalment, each with its due date when the terms give
// one.
void payment(Writer &w, const Office &office, const Invoice &invoice)
{
    const paymentterms::Terms &terms = invoice.payment;
    w.open("DatiPagamento");
    w.text("CondizioniPagamento", terms.instalments.size() > 1 ? QStringLiteral("TP01") : QStringLiteral("TP02"));
    for (const paymentterms::Instalment &instalment : terms.instalments) {
        w.open("DettaglioPagamento");
        w.latin("Beneficiario", office.name(), 200);
        w.text("ModalitaPagamento", terms.method);
        if (!terms.dueAtOnce)
            w.text("DataScadenzaPagamento", instalment.due.toString(Qt::ISODate));
        w.amount("ImportoPagamento", instalment.cents);
        if (terms.toOfficeAccount())
            w.text("IBAN", normalizedCode(office.iban));
        w.close();
    }
    w.close();
}

}

QString transmitterId(const Office &office)
{
    return office.codice.isEmpty() ? vatnumber::canonical(office.piva) : normalizedCode(office.codice);
}

QString fileName(const Office &office, const QString &progressive)
{
    return QStringLiteral("IT%1_%2.xml").arg(transmitterId(office), progressive);
}

QString progressiveText(qint64 progressive)
{
    return progressive > 0 && progressive <= 99999 ? QString::number(progressive).rightJustified(5, QLatin1Char('0')) : QString();
}

QByteArray write(const Office &office, const BillSource &bill, const Invoice &invoice, const QString &progressive)
{
    QByteArray bytes;
    Writer w(&bytes);
    QXmlStreamWriter &xml = w.stream();
    xml.writeStartDocument();
    xml.writeNamespace(QLatin1String(schemafiles::Namespace), QStringLiteral("p"));
    xml.writeNamespace(QStringLiteral("http://www.w3.org/2000/09/xmldsig#"), QStringLiteral("ds"));
    xml.writeStartElement(QLatin1String(schemafiles::Namespace), QStringLiteral("FatturaElettronica"));
    xml.writeAttribute(QStringLiteral("versione"), invoice.formato);
    header(w, office, bill, invoice, progressive);
    w.open("FatturaElettronicaBody");
    generalData(w, bill.client, invoice);
    goodsAndServices(w, invoice);
    payment(w, office, invoice);
    w.close();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

}
