#pragma once

#include "reportlayout.h"

#include <QList>

// The pieces the report layouts are made of: fonts, boxes, and the columns
// that print a caption in the page header over a field in the detail band.
namespace layoutparts {

QFont arial(qreal points, bool bold = false, bool italic = false);
QFont narrow(qreal points, bool bold = false);

// The width the bands have between the margins of a portrait page.
qreal contentWidth();

ReportBox caption(const QString &name, const QString &text, const QRectF &rect, const QFont &font,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
ReportBox field(const QString &name, const QString &column, const QRectF &rect, const QFont &font,
                const QString &format = QString());
ReportBox total(const QRectF &rect, const QFont &font);
ReportBox line(qreal y, qreal from = 0, qreal to = -1);
ReportBox frame(const QRectF &rect);
ReportBox pageNumber(const QRectF &rect);
ReportBox printDate(const QRectF &rect);

enum class Fit { Whole, Wraps };

struct Column
{
    QString caption;
    QString field;
    qreal width; // the design width; the printed one comes from the data
    QFont font;
    QString format; // amounts are right-aligned
    Fit fit = Fit::Whole;
};

QList<ReportColumn> reportColumns(const QList<Column> &columns);
// Left edge of each column, from the given left edge.
QList<qreal> columnEdges(const QList<Column> &columns, qreal left = 0);
// Captions over the columns, in the given font.
QList<ReportBox> columnCaptions(const QList<Column> &columns, const QFont &font, qreal y, qreal left = 0);
// The fields of the columns, named by their field or by the names given.
QList<ReportBox> columnFields(const QList<Column> &columns, qreal y, const QStringList &names = {}, qreal left = 0);
// When totalColumn >= 1, "Totale" in the column before it and the total of
// IMPORTO under it; then, on the line below, "Pagina N di M" and
// "Stampato il  ...".
QList<ReportBox> footerLines(int totalColumn, const QFont &totalCaptionFont, qreal y);
// The height of the footer lines with or without the total.
qreal footerHeight(int totalColumn);

}
