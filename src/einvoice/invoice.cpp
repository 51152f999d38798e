#include "invoice.h"

#include "billsource.h"
#include "figures.h"
#include "latintext.h"
#include "office.h"

#include <algorithm>
#include <limits>

namespace invoice {

namespace {

// The law a bill without VAT quotes, by its nature.
QString lawFor(const Office &office, const QString &natura)
{
    // The stamp charged back, and sums paid in the client's name, are
    // outside VAT in every regime.
    if (natura.startsWith(QLatin1String("N1")))
        return QStringLiteral("Operazione esclusa ai sensi dell'art. 15 DPR 633/72");
    if (office.isFlatRate())
        return QStringLiteral("Operazione in franchigia da IVA ai sensi dell'art. 1, commi 54-89, L. 190/2014");
    // Services to a business abroad are taxed where it is.
    if (natura == QLatin1String("N2.1"))
        return QStringLiteral("Operazione non soggetta ad IVA ai sensi dell'art. 7-ter DPR 633/72");
    if (natura.startsWith(QLatin1String("N2")))
        return QStringLiteral("Operazione non soggetta ad IVA");
    if (natura.startsWith(QLatin1String("N3")))
        return QStringLiteral("Operazione non imponibile ai sensi dell'art. 8 DPR 633/72");
    if (natura.startsWith(QLatin1String("N4")))
        return QStringLiteral("Operazione esente ai sensi dell'art. 10 DPR 633/72");
    if (natura.startsWith(QLatin1String("N6")))
        return QStringLiteral("Inversione contabile ai sensi dell'art. 17 DPR 633/72");
    return QString();
}

bool clientWithholds(const Office &office, const BillClient &client)
{
    return !office.isFlatRate() && office.alRitenuta > 0 && client.withholds(office.ritenuta);
}

Vat vatOf(const Office &office, const BillService &service)
{
    const int rate = service.aliquota.value_or(office.aliquota);
    if (rate > 0)
        return {rate, QString()};
    return {0, service.natura.isEmpty() ? office.natura : service.natura};
}

Line lineOf(const Office &office, const BillService &service, int sign, bool withholds)
{
    Line line;
    line.description = service.note.isEmpty() ? service.causale : service.causale + QStringLiteral(" - ") + service.note;
    line.totalCents = sign * service.cents;
    const auto quantity = figures::quantityFromText(service.qta);
    if (quantity && *quantity > 0) {
        line.quantity = quantity;
        // The reason's price when the amount is that price times the
        // quantity: the rate agreed, not a quotient with eight decimals.
        const qint64 agreed = sign * service.priceCents * (figures::EightDecimals / 100);
        line.unitPrice = agreed != 0 && figures::lineTotal(agreed, *quantity) == line.totalCents
            ? agreed
            : figures::unitPrice(line.totalCents, *quantity);
    } else {
        line.unitPrice = line.totalCents * 1000000;
    }
    line.vat = vatOf(office, service);
    line.withheld = withholds && service.ritenuta != QLatin1String("N");
    line.toFund = !office.cassa.isEmpty() && service.cassa != QLatin1String("N");
    return line;
}

// A description longer than its field goes on in further lines of no
// amount, so that no word of the notes is lost.
QList<Line> withItsTail(const Line &line)
{
    QString rest = latinText(line.description, std::numeric_limits<int>::max());
    QList<Line> lines;
    do {
        qsizetype cut = rest.size();
        if (cut > DescriptionLength) {
            cut = rest.lastIndexOf(QLatin1Char(' '), DescriptionLength);
            if (cut <= 0)
                cut = DescriptionLength;
        }
        Line part = lines.isEmpty() ? line : Line{0, QString(), std::nullopt, 0, 0, line.vat, false, false};
        part.description = rest.left(cut).trimmed();
        rest = rest.mid(cut).trimmed();
        lines << part;
    } while (!rest.isEmpty());
    return lines;
}

// The amounts outside VAT, on which the stamp is due.
qint64 untaxedCents(const Invoice &invoice)
{
    qint64 untaxed = 0;
    for (const Line &line : invoice.lines)
        if (line.vat.rate == 0)
            untaxed += line.totalCents;
    for (const Fund &fund : invoice.funds)
        if (fund.vat.rate == 0)
            untaxed += fund.contributionCents;
    return untaxed;
}

// One fund block per VAT rate of the lines it is charged on, so that each
// contribution carries the rate of its lines.
// The fund block or summary of that VAT rate and nature, added by `make`
// when the first line of that rate comes.
template<typename Entry, typename Make>
Entry &entryOf(QList<Entry> &entries, const Vat &vat, Make make)
{
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const Entry &e) { return e.vat == vat; });
    if (found != entries.end())
        return *found;
    entries << make();
    return entries.last();
}

QList<Fund> fundsOf(const Office &office, const QList<Line> &lines, bool withholds)
{
    QList<Fund> funds;
    for (const Line &line : lines) {
        if (!line.toFund)
            continue;
        // The INPS 4 % of professionals without a fund bears the
        // withholding; the funds' own contributions do not.
        entryOf(funds, line.vat, [&] {
            return Fund{office.cassa, office.alCassa, 0, 0, line.vat, withholds && office.cassa == QLatin1String("TC22")};
        }).baseCents += line.totalCents;
    }
    for (Fund &fund : funds)
        fund.contributionCents = figures::percentOf(fund.baseCents, fund.rate);
    return funds;
}

QList<Summary> summariesOf(const Office &office, const Invoice &invoice, bool splitPayment)
{
    QList<Summary> summaries;
    auto add = [&](const Vat &vat, qint64 cents) {
        entryOf(summaries, vat, [&] {
            return Summary{vat, 0, 0, splitPayment && vat.rate > 0 ? QChar('S') : QChar('I'),
                           vat.rate > 0 ? QString() : lawFor(office, vat.natura)};
        }).taxableCents += cents;
    };
    for (const Line &line : invoice.lines)
        add(line.vat, line.totalCents);
    for (const Fund &fund : invoice.funds)
        add(fund.vat, fund.contributionCents);
    for (Summary &summary : summaries)
        summary.taxCents = figures::percentOf(summary.taxableCents, summary.vat.rate);
    return summaries;
}

std::optional<Withholding> withholdingOf(const Office &office, const Invoice &invoice)
{
    qint64 base = 0;
    bool any = false;
    for (const Line &line : invoice.lines)
        if (line.withheld) {
            base += line.totalCents;
            any = true;
        }
    for (const Fund &fund : invoice.funds)
        if (fund.withheld) {
            base += fund.contributionCents;
            any = true;
        }
    if (!any)
        return std::nullopt;
    const QString tipo = !office.tipoRitenuta.isEmpty() ? office.tipoRitenuta
        : office.isPerson()                             ? QStringLiteral("RT01")
                                                        : QStringLiteral("RT02");
    const QString causale = office.causalePag.isEmpty() ? QStringLiteral("A") : office.causalePag;
    return Withholding{tipo, office.alRitenuta, base, figures::percentOf(base, office.alRitenuta), causale};
}

}

qint64 Invoice::taxableCents() const
{
    qint64 sum = 0;
    for (const Summary &summary : summaries)
        sum += summary.taxableCents;
    return sum;
}

qint64 Invoice::taxCents() const
{
    qint64 sum = 0;
    for (const Summary &summary : summaries)
        sum += summary.taxCents;
    return sum;
}

Invoice make(const Office &office, const BillSource &bill)
{
    Invoice invoice;
    qint64 sum = 0;
    for (const BillService &service : bill.services)
        sum += service.cents;
    const int sign = sum < 0 ? -1 : 1;
    invoice.tipoDocumento = sign < 0 || bill.corrects ? QStringLiteral("TD04") : QStringLiteral("TD01");
    invoice.number = bill.number;
    invoice.date = bill.date;
    if (bill.corrects) {
        invoice.correctedNumber = bill.corrects->number;
        invoice.correctedDate = bill.corrects->date;
    }
    const bool publicAdministration = bill.client.codDest.size() == 6;
    invoice.formato = publicAdministration ? QStringLiteral("FPA12") : QStringLiteral("FPR12");
    const QString byDefault = bill.client.isForeign() ? QStringLiteral("XXXXXXX") : QStringLiteral("0000000");
    invoice.codiceDestinatario = bill.client.codDest.isEmpty() ? byDefault : bill.client.codDest;

    const bool withholds = clientWithholds(office, bill.client);
    for (const BillService &service : bill.services)
        invoice.lines << withItsTail(lineOf(office, service, sign, withholds));
    invoice.funds = fundsOf(office, invoice.lines, withholds);
    invoice.withholding = withholdingOf(office, invoice);
    // The stamp is due whatever the office's choice, which says only
    // whether the client is charged it: then on a line of its own.
    if (untaxedCents(invoice) > StampThresholdCents) {
        invoice.stampCents = StampCents;
        invoice.stampCharged = office.bollo;
        if (office.bollo)
            invoice.lines << Line{0,          QStringLiteral("Imposta di bollo"), std::nullopt, StampCents * 1000000,
                                  StampCents, Vat{0, QStringLiteral("N1")},       false,        false};
    }
    for (int i = 0; i < invoice.lines.size(); ++i)
        invoice.lines[i].number = i + 1;
    // A public administration pays the VAT to the Treasury itself, except
    // on fees that bear a withholding.
    invoice.summaries = summariesOf(office, invoice, publicAdministration && !invoice.withholding);
    invoice.totalCents = invoice.taxableCents() + invoice.taxCents();
    invoice.payableCents = invoice.totalCents - (invoice.withholding ? invoice.withholding->amountCents : 0);
    for (const Summary &summary : invoice.summaries)
        if (summary.esigibilita == QLatin1Char('S'))
            invoice.payableCents -= summary.taxCents;
    // A credit note is settled at once; a bill by the client's terms.
    invoice.payment = paymentterms::of(invoice.isCreditNote() ? QString() : bill.client.pag, invoice.date, invoice.payableCents);
    return invoice;
}

}
