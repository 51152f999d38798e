#include "layouts.h"

#include "layoutparts.h"
#include "textmeasure.h"

using namespace layoutparts;
using Kind = ReportBand::Kind;
using Page = ReportLayout::Page;

namespace {

const QFont Default = arial(8.25);
const QFont ColumnCaption = arial(9, true, true);
constexpr qreal Row = 16;
constexpr Fit Wraps = Fit::Wraps;

ReportBand band(Kind kind, const QString &name, qreal height, QList<ReportBox> boxes)
{
    return {kind, name, height, std::move(boxes)};
}

// A caption box as wide as its text, at x; x then moves past it.
ReportBox captionAt(qreal &x, const QString &name, const QString &text, const QFont &font, const QString &widest = {})
{
    const qreal width = TextMeasure::of(font).width(widest.isEmpty() ? text : widest) + 2;
    ReportBox box = caption(name, text, QRectF(x, 0, width, 20), font);
    x += width + 6;
    return box;
}

// A caption a window fills with a long text: it wraps from x to the right
// edge, and with no text takes no room.
ReportBox longCaption(const QString &name, const QString &text, const QRectF &rect, const QFont &font)
{
    ReportBox box = caption(name, text, rect, font);
    box.wraps = true;
    return box;
}

// Page header with the captions, detail with the fields and a line under
// each row, empty page footer, and the report footer given.
ReportLayout columnLayout(const QString &previewCaption, ReportBand header, const QList<Column> &columns, int totalColumn,
                          const QFont &totalCaptionFont, Page page = Page::Portrait)
{
    const qreal width = ReportLayout::contentWidth(page);
    QList<ReportBox> captions = columnCaptions(columns, ColumnCaption, 0);
    captions << line(Row + 1, 0, width);
    QList<ReportBox> detail = columnFields(columns, 0);
    detail << line(Row - 0.5, 0, width);
    return ReportLayout(previewCaption,
                        {std::move(header), band(Kind::PageHeader, QStringLiteral("Section2"), Row + 4, captions),
                         band(Kind::Detail, QStringLiteral("Section1"), Row, detail),
                         band(Kind::PageFooter, QStringLiteral("Section3"), 0, {}),
                         band(Kind::ReportFooter, QStringLiteral("Report"), footerHeight(totalColumn) + 8,
                              footerLines(totalColumn, totalCaptionFont, 6))},
                        reportColumns(columns), page);
}

}

namespace layouts {

ReportLayout estratto()
{
    const QList<Column> columns = {{"Data", "DATAR", 55, arial(9.75), {}},
                                   {"Prestazione", "Causale", 110, arial(9.75), {}, Wraps},
                                   {"Q.tà", "QTA", 30, narrow(8.25), {}},
                                   {"Descrizione", "NOTE", 130, narrow(8.25), {}, Wraps},
                                   {"Operatore", "Operatore", 75, narrow(8.25), {}, Wraps},
                                   {"Importo", "Importo", 75, arial(9.75), reportformat::Amount},
                                   {"Parcellato", "PARC", 52, narrow(9, true), {}}};
    const QFont client = arial(11.25, true, true);
    qreal x = 0;
    const ReportBox title = captionAt(x, QStringLiteral("Label1"), QStringLiteral("Ostrevia  -Report  Prestazioni Cliente :"),
                                      arial(11.25, true));
    ReportBand header = band(
        Kind::ReportHeader, QStringLiteral("Section4"), 30,
        {title, longCaption(QStringLiteral("Label2"), QStringLiteral("Cliente"), QRectF(x, 0, contentWidth() - x, 20), client),
         longCaption(QStringLiteral("Label11"), QString(), QRectF(x, 20, contentWidth() - x, 0), client), line(24)});
    return columnLayout(QStringLiteral("Estratto Conto Cliente"), std::move(header), columns, 5, arial(9, true, true));
}

// Landscape: four columns of long texts beside the date and the amount.
ReportLayout reportParcellati()
{
    const QList<Column> columns = {{"Data", "DATAR", 52, arial(9.75), {}},
                                   {"Cliente", "Cliente", 110, arial(9.75, true), {}, Wraps},
                                   {"Prestazione", "Causale", 95, narrow(9), {}, Wraps},
                                   {"Descrizione", "NOTE", 96, narrow(8.25), {}, Wraps},
                                   {"Operatore", "Operatore", 60, narrow(9), {}, Wraps},
                                   {"Importo", "Importo", 62, arial(9.75), reportformat::Amount},
                                   {"Parcellato", "PARC", 52, narrow(9, true), {}}};
    const QFont big = arial(12, true);
    const QString date = QStringLiteral("00/00/0000");
    const qreal width = ReportLayout::contentWidth(Page::Landscape);
    qreal x = 0;
    QList<ReportBox> boxes{captionAt(x, QStringLiteral("Label1"), QStringLiteral("Report  Prestazioni"), big),
                           captionAt(x, QStringLiteral("Label3"), QStringLiteral("Dal"), big),
                           captionAt(x, QStringLiteral("Label13"), QStringLiteral("Dal"), big, date),
                           captionAt(x, QStringLiteral("Label5"), QStringLiteral("Al"), big),
                           captionAt(x, QStringLiteral("Label17"), QStringLiteral("Dal"), big, date),
                           longCaption(QStringLiteral("Label9"), QString(), QRectF(0, 22, width, 18), arial(11.25, true)),
                           line(43, 0, width)};
    return columnLayout(QStringLiteral("Report"), band(Kind::ReportHeader, QStringLiteral("Section4"), 48, boxes), columns, 5,
                        arial(9, true), Page::Landscape);
}

ReportLayout drtTest()
{
    const QList<Column> columns = {{"Data", {}, 55, arial(9.75), reportformat::Date},
                                   {"Prestazione", {}, 110, arial(9.75), {}, Wraps},
                                   {"Q.tà", {}, 30, narrow(8.25), {}},
                                   {"Descrizione", {}, 130, narrow(8.25), {}, Wraps},
                                   {"Operatore", {}, 75, arial(9.75), {}, Wraps},
                                   {"Importo", {}, 75, arial(9.75), reportformat::Amount},
                                   {"Parc", {}, 52, arial(9), {}}};
    // The columns keep clear of the frames around the group bands.
    constexpr qreal Inset = 5;
    const QFont heading = arial(9.75, true);
    qreal x = Inset;
    ReportBox label = captionAt(x, QStringLiteral("Label1"), QStringLiteral("Cliente:"), heading);
    ReportBox client = field(QStringLiteral("Text1"), QString(), QRectF(x, 4, contentWidth() - Inset - x, 16), heading);
    client.wraps = true;
    label.rect.moveTop(4);
    label.rect.setHeight(16);
    QList<ReportBox> groupHeader{frame(QRectF(0, 2, contentWidth(), 36)), label, client};
    groupHeader << columnCaptions(columns, heading, 20, Inset);
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(9.75);
    tahoma.setBold(true);
    ReportBox totalCaption = caption(QStringLiteral("Label2"), QStringLiteral("Totale"), QRectF(Inset, 4, 0, 16), tahoma,
                                     Qt::AlignRight | Qt::AlignVCenter);
    totalCaption.column = 4;
    ReportBox groupTotal = total(QRectF(Inset, 4, 0, 16), tahoma);
    groupTotal.column = 5;
    QList<ReportBox> footer = footerLines(-1, Default, 6);
    footer.prepend(line(2));
    return ReportLayout(QStringLiteral("Elenco Prestazioni"),
                        {band(Kind::PageHeader, QStringLiteral("Section2"), 26,
                              {caption(QStringLiteral("Label3"), QStringLiteral("Ostrevia - Report Cumulativo per Cliente "),
                                       QRectF(0, 0, contentWidth(), 20), arial(11.25, true, true))}),
                         band(Kind::GroupHeader, QStringLiteral("Section6"), 42, groupHeader),
                         band(Kind::Detail, QStringLiteral("Section1"), Row,
                              columnFields(columns, 0, {"Text2", "Text3", "Text5", "Text6", "Text7", "Text4", "Text8"}, Inset)),
                         band(Kind::GroupFooter, QStringLiteral("Section7"), 28,
                              {frame(QRectF(0, 2, contentWidth(), 20)), totalCaption, groupTotal}),
                         band(Kind::PageFooter, QStringLiteral("Section3"), 22, footer)},
                        reportColumns(columns));
}

ReportLayout report()
{
    const QList<Column> columns = {{"Data", "DATAR", 55, narrow(8.25), {}},
                                   {"Cliente", "Cliente", 137, arial(8.25, true), {}, Wraps},
                                   {"Prestazione", "Causale", 130, narrow(9), {}, Wraps},
                                   {"Operatore", "Operatore", 80, narrow(8.25), {}, Wraps},
                                   {"Importo", "Importo", 70, narrow(8.25), reportformat::Amount},
                                   {"Parcellato", "PARC", 55, narrow(9, true), {}}};
    const QFont big = arial(12, true);
    qreal x = 0;
    const ReportBox title = captionAt(x, QStringLiteral("Label1"), QStringLiteral("Report  Prestazioni"), big);
    ReportBand header = band(Kind::ReportHeader, QStringLiteral("Section4"), 30,
                             {title, caption(QStringLiteral("Label2"), QString(), QRectF(x, 0, 150, 20), big),
                              caption(QStringLiteral("Label3"), QString(), QRectF(x + 156, 0, 150, 20), big), line(24)});
    return columnLayout(QStringLiteral("Scheda"), std::move(header), columns, -1, Default);
}

// Landscape: the name, the address and the town beside five codes.
ReportLayout cliente()
{
    const QFont fieldFont = narrow(8.25);
    const QList<Column> columns = {{"Cognome Nome - Denominazione", "SOGGETTO", 150, narrow(9), {}, Wraps},
                                   {"Indirizzo", "INDIRIZZO", 90, fieldFont, {}, Wraps},
                                   {"Città", "COMUNER", 65, fieldFont, {}, Wraps},
                                   {"PR", "prr", 22, fieldFont, {}},
                                   {"C.A.P.", "CAP", 32, fieldFont, {}},
                                   {"Codice Fiscale", "CODICE", 78, fieldFont, {}},
                                   {"Partita IVA ", "PIVA", 60, fieldFont, {}},
                                   {"Stato", "STATO", 30, fieldFont, {}}};
    const qreal width = ReportLayout::contentWidth(Page::Landscape);
    ReportBand header = band(Kind::ReportHeader, QStringLiteral("Section4"), 30,
                             {caption(QStringLiteral("Label1"), QStringLiteral("Ostrevia - Report Cliente"),
                                      QRectF(0, 0, width, 20), arial(11.25, true)),
                              line(24, 0, width)});
    return columnLayout(QStringLiteral("Lista Clienti"), std::move(header), columns, -1, Default, Page::Landscape);
}

}
