#include "layouts.h"

#include "layoutparts.h"

using namespace layoutparts;
using Kind = ReportBand::Kind;

namespace {

const QFont Default = arial(8.25);
const QFont ColumnCaption = arial(9, true, true);
constexpr qreal Row = 16;

ReportBand band(Kind kind, const QString &name, qreal height, QList<ReportBox> boxes)
{
    return {kind, name, height, std::move(boxes)};
}

// Page header with the captions, detail with the fields and a line under
// each row, empty page footer, and the report footer given.
QList<ReportBand> columnBands(ReportBand header, const QList<Column> &columns, QList<ReportBox> reportFooter)
{
    QList<ReportBox> detail = columnFields(columns, 0);
    detail << line(Row - 0.5);
    return {std::move(header),
            band(Kind::PageHeader, QStringLiteral("Section2"), Row + 4, columnCaptions(columns, ColumnCaption, 0)),
            band(Kind::Detail, QStringLiteral("Section1"), Row, detail),
            band(Kind::PageFooter, QStringLiteral("Section3"), 0, {}),
            band(Kind::ReportFooter, QStringLiteral("Report"), Row + 8, std::move(reportFooter))};
}

}

namespace layouts {

ReportLayout estratto()
{
    const QList<Column> columns = {
        {"Data", "DATAR", 55, arial(9.75), {}},           {"Prestazione", "Causale", 110, arial(9.75), {}},
        {"Q.tà", "QTA", 30, narrow(8.25), {}},            {"Descrizione", "NOTE", 130, narrow(8.25), {}},
        {"Operatore", "Operatore", 75, narrow(8.25), {}}, {"Importo", "Importo", 75, arial(9.75), reportformat::Amount},
        {"Parcellato", "PARC", 52, narrow(9, true), {}}};
    const QFont title = arial(11.25, true);
    const QFont client = arial(11.25, true, true);
    ReportBand header = band(Kind::ReportHeader, QStringLiteral("Section4"), 30,
                             {caption(QStringLiteral("Label1"), QStringLiteral("Ostrevia  -Report  Prestazioni Cliente :"),
                                      QRectF(0, 0, 250, 20), title),
                              caption(QStringLiteral("Label2"), QStringLiteral("Cliente"), QRectF(252, 0, 150, 20), client),
                              caption(QStringLiteral("Label11"), QString(), QRectF(404, 0, contentWidth() - 404, 20), client),
                              line(24)});
    return ReportLayout(QStringLiteral("Estratto Conto Cliente"),
                        columnBands(std::move(header), columns, footerLine(columns, 5, arial(9, true, true), 6)));
}

ReportLayout reportParcellati()
{
    const QList<Column> columns = {
        {"Data", "DATAR", 52, arial(9.75), {}},          {"Cliente", "Cliente", 110, arial(9.75, true), {}},
        {"Prestazione", "Causale", 95, narrow(9), {}},   {"Descrizione", "NOTE", 96, narrow(8.25), {}},
        {"Operatore", "Operatore", 60, narrow(9), {}},   {"Importo", "Importo", 62, arial(9.75), reportformat::Amount},
        {"Parcellato", "PARC", 52, narrow(9, true), {}}};
    const QFont big = arial(12, true);
    ReportBand header = band(Kind::ReportHeader, QStringLiteral("Section4"), 48,
                             {caption(QStringLiteral("Label1"), QStringLiteral("Report  Prestazioni"), QRectF(0, 0, 150, 20), big),
                              caption(QStringLiteral("Label3"), QStringLiteral("Dal"), QRectF(155, 0, 28, 20), big),
                              caption(QStringLiteral("Label13"), QStringLiteral("Dal"), QRectF(185, 0, 90, 20), big),
                              caption(QStringLiteral("Label5"), QStringLiteral("Al"), QRectF(280, 0, 22, 20), big),
                              caption(QStringLiteral("Label17"), QStringLiteral("Dal"), QRectF(305, 0, 90, 20), big),
                              caption(QStringLiteral("Label9"), QString(), QRectF(0, 22, contentWidth(), 18), arial(11.25, true)),
                              line(43)});
    return ReportLayout(QStringLiteral("Report"),
                        columnBands(std::move(header), columns, footerLine(columns, 5, arial(9, true), 6)));
}

ReportLayout drtTest()
{
    const QList<Column> columns = {
        {"Data", {}, 55, arial(9.75), reportformat::Date}, {"Prestazione", {}, 110, arial(9.75), {}},
        {"Q.tà", {}, 30, narrow(8.25), {}},                {"Descrizione", {}, 130, narrow(8.25), {}},
        {"Operatore", {}, 75, arial(9.75), {}},            {"Importo", {}, 75, arial(9.75), reportformat::Amount},
        {"Parc", {}, 52, arial(9), {}}};
    const QFont heading = arial(9.75, true);
    QList<ReportBox> groupHeader{frame(QRectF(0, 2, contentWidth(), 36)),
                                 caption(QStringLiteral("Label1"), QStringLiteral("Cliente:"), QRectF(4, 4, 50, 16), heading),
                                 field(QStringLiteral("Text1"), QString(), QRectF(56, 4, 400, 16), heading)};
    for (ReportBox box : columnCaptions(columns, heading, 20))
        if (box.kind == ReportBox::Kind::Caption)
            groupHeader << box;
    const QFont tahoma = [] {
        QFont f(QStringLiteral("Tahoma"));
        f.setPointSizeF(9.75);
        f.setBold(true);
        return f;
    }();
    const QList<qreal> edges = columnEdges(columns);
    const ReportBox groupTotal = total(QRectF(edges.at(5), 4, columns.at(5).width - 3, 16), tahoma);
    QList<ReportBox> groupFooter{frame(QRectF(0, 2, contentWidth(), 20)),
                                 caption(QStringLiteral("Label2"), QStringLiteral("Totale"),
                                         QRectF(edges.at(4), 4, columns.at(4).width - 3, 16), tahoma,
                                         Qt::AlignRight | Qt::AlignVCenter),
                                 groupTotal};
    QList<ReportBox> footer = footerLine(columns, -1, Default, 6);
    footer.prepend(line(2));
    return ReportLayout(
        QStringLiteral("Elenco Prestazioni"),
        {band(Kind::PageHeader, QStringLiteral("Section2"), 26,
              {caption(QStringLiteral("Label3"), QStringLiteral("Ostrevia - Report Cumulativo per Cliente "),
                       QRectF(0, 0, contentWidth(), 20), arial(11.25, true, true))}),
         band(Kind::GroupHeader, QStringLiteral("Section6"), 42, groupHeader),
         band(Kind::Detail, QStringLiteral("Section1"), Row,
              columnFields(columns, 0, {"Text2", "Text3", "Text5", "Text6", "Text7", "Text4", "Text8"})),
         band(Kind::GroupFooter, QStringLiteral("Section7"), 28, groupFooter),
         band(Kind::PageFooter, QStringLiteral("Section3"), 22, footer)});
}

ReportLayout report()
{
    const QList<Column> columns = {
        {"Data", "DATAR", 55, narrow(8.25), {}},           {"Cliente", "Cliente", 137, arial(8.25, true), {}},
        {"Prestazione", "Causale", 130, narrow(9), {}},    {"Operatore", "Operatore", 80, narrow(8.25), {}},
        {"Importo", "Importo", 70, narrow(8.25), reportformat::Amount}, {"Parcellato", "PARC", 55, narrow(9, true), {}}};
    const QFont big = arial(12, true);
    ReportBand header = band(Kind::ReportHeader, QStringLiteral("Section4"), 30,
                             {caption(QStringLiteral("Label1"), QStringLiteral("Report  Prestazioni"), QRectF(0, 0, 150, 20), big),
                              caption(QStringLiteral("Label2"), QString(), QRectF(155, 0, 150, 20), big),
                              caption(QStringLiteral("Label3"), QString(), QRectF(310, 0, 150, 20), big), line(24)});
    return ReportLayout(QStringLiteral("Scheda"), columnBands(std::move(header), columns, footerLine(columns, -1, Default, 6)));
}

ReportLayout cliente()
{
    const QFont fieldFont = narrow(8.25);
    const QList<Column> columns = {
        {"Cognome Nome - Denominazione", "SOGGETTO", 150, narrow(9), {}}, {"Indirizzo", "INDIRIZZO", 90, fieldFont, {}},
        {"Città", "COMUNER", 65, fieldFont, {}},     {"PR", "prr", 22, fieldFont, {}},
        {"C.A.P.", "CAP", 32, fieldFont, {}},        {"Codice Fiscale", "CODICE", 78, fieldFont, {}},
        {"Partita IVA ", "PIVA", 60, fieldFont, {}}, {"Stato", "STATO", 30, fieldFont, {}}};
    ReportBand header = band(Kind::ReportHeader, QStringLiteral("Section4"), 30,
                             {caption(QStringLiteral("Label1"), QStringLiteral("Ostrevia - Report Cliente"),
                                      QRectF(0, 0, contentWidth(), 20), arial(11.25, true)),
                              line(24)});
    return ReportLayout(QStringLiteral("Lista Clienti"),
                        columnBands(std::move(header), columns, footerLine(columns, -1, Default, 6)));
}

}
