#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

// One box of a report band, placed in points (1/72 inch) from the band's
// top left corner.
struct ReportBox
{
    enum class Kind {
        Caption, // fixed text, which a window may overwrite
        Field, // a column of the current row, by name
        Total, // the sum of a column over the rows of its band's scope
        Line, // a horizontal line along the top of the rectangle
        Frame, // a framed rectangle
        PageNumber, // "Pagina N di M"
        PrintDate, // "Stampato il  " and today's long date
    };

    Kind kind = Kind::Caption;
    QString name;
    QRectF rect;
    QString text; // the caption; for the design caption see designText
    QString field; // the bound column of a field or total
    QString format; // display format: AmountFormat, DateFormat or none
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString designText;
    int column = -1; // the layout's column the box sits in, or none
    bool wraps = false; // a long text that breaks onto more lines
};

namespace reportformat {

// The amount boxes' format: "€ 1.234,50".
inline const QString Amount = QStringLiteral("\"€\" #.##0,00");
inline const QString Date = QStringLiteral("dd/MM/yyyy");

}
