#pragma once

#include "reportband.h"

#include <QList>

// The pieces the report layouts are made of: fonts, boxes, and the columns
// that print a caption in the page header over a field in the detail band.
namespace layoutparts {

QFont arial(qreal points, bool bold = false, bool italic = false);
QFont narrow(qreal points, bool bold = false);

// The width the bands have between the page margins.
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

struct Column
{
    QString caption;
    QString field;
    qreal width;
    QFont font;
    QString format; // amounts are right-aligned
};

// Left edge of each column, from the left margin.
QList<qreal> columnEdges(const QList<Column> &columns);
// Captions over the columns with a line under them, in the given font.
QList<ReportBox> columnCaptions(const QList<Column> &columns, const QFont &font, qreal y);
// The fields of the columns, named by their field or by the names given.
QList<ReportBox> columnFields(const QList<Column> &columns, qreal y, const QStringList &names = {});
// "Pagina N di M", "Stampato il  ...", and when totalColumn >= 0 "Totale"
// in the column before it and the total of IMPORTO under it.
QList<ReportBox> footerLine(const QList<Column> &columns, int totalColumn, const QFont &totalCaptionFont, qreal y);

}
