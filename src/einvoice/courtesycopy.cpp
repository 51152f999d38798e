#include "courtesycopy.h"

#include "figures.h"
#include "invoicefiles.h"
#include "paymentterms.h"

#include "reports/filenametext.h"
#include "reports/layoutparts.h"
#include "reports/paginator.h"
#include "reports/reportdata.h"
#include "reports/reportpainter.h"
#include "store/resulttable.h"
#include "store/money.h"

namespace courtesycopy {

namespace {

using namespace layoutparts;
using Kind = ReportBand::Kind;
using invoice::Invoice;

constexpr qreal Row = 15;

QString euro(qint64 cents)
{
    return Money::fromCents(cents).euroText();
}

QString percent(int hundredths)
{
    return figures::rateText(hundredths).replace(QLatin1Char('.'), QLatin1Char(',')) + QStringLiteral(" %");
}

QString vatText(const invoice::Vat &vat)
{
    return vat.rate > 0 ? percent(vat.rate) : QStringLiteral("0 % ") + vat.natura;
}

// Lines of text one under the other, from y; y moves past them.
void textLines(QList<ReportBox> &boxes, qreal &y, const QStringList &lines, const QFont &font, qreal x = 0)
{
    for (const QString &text : lines) {
        ReportBox box = caption(QStringLiteral("Riga%1").arg(boxes.size()), text, QRectF(x, y, contentWidth() - x, Row), font);
        box.wraps = true;
        boxes << box;
        y += Row;
    }
}

ReportBand heading(const invoicefiles::Prepared &p)
{
    const Office &o = p.office;
    const BillClient &c = p.bill.client;
    QList<ReportBox> boxes;
    qreal y = 0;
    textLines(boxes, y, {o.name()}, arial(12, true));
    textLines(boxes, y,
              {QStringLiteral("%1 - %2 %3 %4")
                   .arg(o.indirizzo, o.cap, o.comune, o.pr.isEmpty() ? QString() : QStringLiteral("(%1)").arg(o.pr)),
               QStringLiteral("P.IVA %1%2").arg(o.piva, o.codice.isEmpty() ? QString() : QStringLiteral(" - C.F. ") + o.codice)},
              arial(9));
    y += 10;
    const QString kind = p.invoice.isCreditNote() ? QStringLiteral("Nota di credito") : QStringLiteral("Fattura");
    textLines(
        boxes, y,
        {QStringLiteral("%1 n. %2 del %3").arg(kind, p.invoice.number, p.invoice.date.toString(QStringLiteral("dd/MM/yyyy")))},
        arial(11, true));
    if (!p.invoice.correctedNumber.isEmpty())
        textLines(boxes, y,
                  {QStringLiteral("Storna la fattura n. %1 del %2")
                       .arg(p.invoice.correctedNumber, p.invoice.correctedDate.toString(QStringLiteral("dd/MM/yyyy")))},
                  arial(9.75));
    textLines(boxes, y,
              {QStringLiteral("Copia di cortesia: l'originale è il file elettronico trasmesso al Sistema di Interscambio.")},
              arial(8, false, true));
    y += 8;
    QStringList client{QStringLiteral("Cliente: %1").arg(c.nome.isEmpty() ? c.soggetto : c.nome + QLatin1Char(' ') + c.cognome),
                       QStringLiteral("%1 - %2 %3 %4")
                           .arg(c.indirizzo, c.cap, c.comune, c.pr.isEmpty() ? QString() : QStringLiteral("(%1)").arg(c.pr))};
    QStringList codes;
    if (!c.piva.isEmpty())
        codes << QStringLiteral("P.IVA ") + c.piva;
    if (!c.codice.isEmpty())
        codes << QStringLiteral("C.F. ") + c.codice;
    client << codes.join(QStringLiteral(" - "))
           << QStringLiteral("Codice destinatario %1%2")
                  .arg(p.invoice.codiceDestinatario, c.pec.isEmpty() ? QString() : QStringLiteral(" - PEC ") + c.pec);
    textLines(boxes, y, client, arial(9.75));
    boxes << line(y + 4);
    return {Kind::ReportHeader, QStringLiteral("Section4"), y + 10, boxes};
}

ReportBand totals(const invoicefiles::Prepared &p, const QString &file)
{
    const Invoice &i = p.invoice;
    QStringList lines;
    for (const invoice::Fund &fund : i.funds)
        lines << QStringLiteral("Contributo cassa %1 %2 su %3: %4 (IVA %5)%6")
                     .arg(fund.tipo, percent(fund.rate), euro(fund.baseCents), euro(fund.contributionCents), vatText(fund.vat),
                          fund.withheld ? QStringLiteral(", soggetto a ritenuta") : QString());
    for (const invoice::Summary &s : i.summaries)
        lines << QStringLiteral("Imponibile IVA %1: %2 - Imposta: %3%4%5")
                     .arg(vatText(s.vat), euro(s.taxableCents), euro(s.taxCents),
                          s.esigibilita == QLatin1Char('S') ? QStringLiteral(" (scissione dei pagamenti)") : QString(),
                          s.law.isEmpty() ? QString() : QStringLiteral(" - ") + s.law);
    if (i.stampCents > 0)
        lines << QStringLiteral("Imposta di bollo assolta in modo virtuale: %1").arg(euro(i.stampCents));
    lines << QStringLiteral("Totale documento: %1").arg(euro(i.totalCents));
    if (i.withholding)
        lines << QStringLiteral("Ritenuta d'acconto %1 su %2 (righe R): %3")
                     .arg(percent(i.withholding->rate), euro(i.withholding->baseCents), euro(i.withholding->amountCents));
    const qsizetype payableLine = lines.size();
    lines << QStringLiteral("Netto a pagare: %1").arg(euro(i.payableCents))
          << QStringLiteral("Pagamento: %1%2")
                 .arg(paymentterms::methodText(i.payment.method),
                      i.payment.toOfficeAccount() ? QStringLiteral(", IBAN ") + p.office.iban : QString());
    if (!i.payment.dueAtOnce)
        for (const paymentterms::Instalment &instalment : i.payment.instalments)
            lines << QStringLiteral("Scadenza %1: %2")
                         .arg(instalment.due.toString(QStringLiteral("dd/MM/yyyy")), euro(instalment.cents));
    if (!file.isEmpty())
        lines << QStringLiteral("File della fattura elettronica: %1").arg(file);
    QList<ReportBox> boxes{line(4)};
    qreal y = 8;
    textLines(boxes, y, lines, arial(9.75));
    boxes[1 + payableLine].font = arial(9.75, true); // after the rule
    QList<ReportBox> footer = footerLines(0, arial(9), y + 6);
    boxes << footer;
    return {Kind::ReportFooter, QStringLiteral("Report"), y + 6 + footerHeight(0), boxes};
}

// The lines as the report engine reads rows.
std::shared_ptr<const ResultTable> linesOf(const Invoice &invoice)
{
    const auto text = [](const QString &t) { return StoredValue::ofText(t.toUtf8()); };
    const auto decimal = [&](qint64 value) {
        return text(figures::eightDecimalText(value).replace(QLatin1Char('.'), QLatin1Char(',')));
    };
    QList<QList<StoredValue>> rows;
    for (const invoice::Line &line : invoice.lines)
        rows.append({text(line.description), line.quantity ? decimal(*line.quantity) : text(QString()), decimal(line.unitPrice),
                     StoredValue::ofInteger(line.totalCents),
                     text(vatText(line.vat) + (line.withheld ? QStringLiteral(" R") : QString()))});
    using T = ColumnType;
    return ResultTable::of({QStringLiteral("DESCRIZIONE"), QStringLiteral("QTA"), QStringLiteral("PREZZO"),
                            QStringLiteral("IMPORTO"), QStringLiteral("IVA")},
                           {T::Text, T::Text, T::Text, T::Money, T::Text}, rows);
}

}

QString fileName(const QString &number, int year)
{
    return QStringLiteral("Copia di cortesia - parcella %1 del %2.pdf").arg(fileNameText(number, QStringLiteral("-"))).arg(year);
}

bool write(const invoicefiles::Prepared &prepared, const QString &xmlFile, const QString &path)
{
    const QList<Column> columns = {{"Descrizione", "DESCRIZIONE", 250, arial(9), {}, Fit::Wraps},
                                   {"Q.tà", "QTA", 40, arial(9), {}},
                                   {"Prezzo unitario", "PREZZO", 80, arial(9), {}},
                                   {"Importo", "IMPORTO", 75, arial(9), reportformat::Amount},
                                   {"IVA", "IVA", 60, arial(9), {}}};
    QList<ReportBox> captions = columnCaptions(columns, arial(9, true, true), 0);
    captions << line(Row + 1);
    QList<ReportBox> detail = columnFields(columns, 0);
    // Quantities and prices are figures: right-aligned like the amounts.
    for (QList<ReportBox> *boxes : {&captions, &detail})
        for (ReportBox &box : *boxes)
            if (box.column == 1 || box.column == 2)
                box.alignment = Qt::AlignRight | Qt::AlignVCenter;
    detail << line(Row - 0.5);
    const ReportLayout layout(QStringLiteral("Copia di cortesia"),
                              {heading(prepared),
                               {Kind::PageHeader, QStringLiteral("Section2"), Row + 4, captions},
                               {Kind::Detail, QStringLiteral("Section1"), Row, detail},
                               {Kind::PageFooter, QStringLiteral("Section3"), 0, {}},
                               totals(prepared, xmlFile)},
                              reportColumns(columns));
    return reportpainter::exportPdf(paginate(layout, ReportData(linesOf(prepared.invoice)), QDate::currentDate()), path);
}

}
