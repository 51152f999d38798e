#include "layoutparts.h"

#include "reportlayout.h"

namespace layoutparts {

namespace {

constexpr qreal RowHeight = 14;

QFont font(const QString &family, qreal points, bool bold, bool italic)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

}

QFont arial(qreal points, bool bold, bool italic)
{
    return font(QStringLiteral("Arial"), points, bold, italic);
}

QFont narrow(qreal points, bool bold)
{
    return font(QStringLiteral("Arial Narrow"), points, bold, false);
}

qreal contentWidth()
{
    return ReportLayout::contentWidth(ReportLayout::Page::Portrait);
}

ReportBox caption(const QString &name, const QString &text, const QRectF &rect, const QFont &font, Qt::Alignment alignment)
{
    ReportBox box;
    box.kind = ReportBox::Kind::Caption;
    box.name = name;
    box.text = text;
    box.rect = rect;
    box.font = font;
    box.alignment = alignment;
    return box;
}

ReportBox field(const QString &name, const QString &column, const QRectF &rect, const QFont &font, const QString &format)
{
    ReportBox box = caption(name, QString(), rect, font,
                            (format == reportformat::Amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    box.kind = ReportBox::Kind::Field;
    box.field = column;
    box.format = format;
    return box;
}

ReportBox total(const QRectF &rect, const QFont &font)
{
    ReportBox box = field(QStringLiteral("Totale"), QStringLiteral("IMPORTO"), rect, font, reportformat::Amount);
    box.kind = ReportBox::Kind::Total;
    return box;
}

ReportBox line(qreal y, qreal from, qreal to)
{
    ReportBox box;
    box.kind = ReportBox::Kind::Line;
    box.rect = QRectF(from, y, (to < 0 ? contentWidth() : to) - from, 0);
    return box;
}

ReportBox frame(const QRectF &rect)
{
    ReportBox box;
    box.kind = ReportBox::Kind::Frame;
    box.rect = rect;
    return box;
}

ReportBox pageNumber(const QRectF &rect)
{
    ReportBox box = caption(QStringLiteral("Pagina"), QString(), rect, arial(9, true));
    box.kind = ReportBox::Kind::PageNumber;
    return box;
}

ReportBox printDate(const QRectF &rect)
{
    ReportBox box = caption(QStringLiteral("Stampato"), QString(), rect, arial(8.25, false, true));
    box.kind = ReportBox::Kind::PrintDate;
    return box;
}

QList<ReportColumn> reportColumns(const QList<Column> &columns)
{
    QList<ReportColumn> grid;
    for (const Column &column : columns)
        grid << ReportColumn{column.width, column.fit == Fit::Wraps};
    return grid;
}

QList<qreal> columnEdges(const QList<Column> &columns, qreal left)
{
    QList<qreal> edges;
    qreal x = left;
    for (const Column &column : columns) {
        edges << x;
        x += column.width;
    }
    return edges;
}

QList<ReportBox> columnCaptions(const QList<Column> &columns, const QFont &font, qreal y, qreal left)
{
    QList<ReportBox> boxes;
    const QList<qreal> edges = columnEdges(columns, left);
    for (int c = 0; c < columns.size(); ++c) {
        const Column &column = columns.at(c);
        const Qt::Alignment alignment = (column.format == reportformat::Amount ? Qt::AlignRight : Qt::AlignLeft)
            | Qt::AlignVCenter;
        boxes << caption(QStringLiteral("Caption%1").arg(c + 1), column.caption,
                         QRectF(edges.at(c), y, column.width - 3, RowHeight), font, alignment);
        boxes.last().column = c;
    }
    return boxes;
}

QList<ReportBox> columnFields(const QList<Column> &columns, qreal y, const QStringList &names, qreal left)
{
    QList<ReportBox> boxes;
    const QList<qreal> edges = columnEdges(columns, left);
    for (int c = 0; c < columns.size(); ++c) {
        const Column &column = columns.at(c);
        boxes << field(names.value(c, column.field), column.field, QRectF(edges.at(c), y, column.width - 3, RowHeight),
                       column.font, column.format);
        boxes.last().column = c;
        boxes.last().wraps = column.fit == Fit::Wraps;
    }
    return boxes;
}

QList<ReportBox> footerLines(int totalColumn, const QFont &totalCaptionFont, qreal y)
{
    const qreal pageLine = y + footerHeight(totalColumn) - RowHeight;
    QList<ReportBox> boxes{pageNumber(QRectF(0, pageLine, 110, RowHeight)), printDate(QRectF(110, pageLine, 250, RowHeight))};
    if (totalColumn < 1)
        return boxes;
    boxes << caption(QStringLiteral("LabelTotale"), QStringLiteral("Totale"), QRectF(0, y, 0, RowHeight), totalCaptionFont,
                     Qt::AlignRight | Qt::AlignVCenter)
          << total(QRectF(0, y, 0, RowHeight), arial(9, true));
    boxes[2].column = totalColumn - 1;
    boxes[3].column = totalColumn;
    return boxes;
}

qreal footerHeight(int totalColumn)
{
    return totalColumn < 1 ? RowHeight : 2 * RowHeight + 4;
}

}
