#pragma once

#include <QString>
#include <Qt>

// One column header of a grid list: text, width in twips (1/1440 inch; a
// width of 1 or 10 keeps the column but hides it) and alignment.
struct GridColumn
{
    QString header;
    int twips;
    Qt::Alignment alignment = Qt::AlignLeft;
};
