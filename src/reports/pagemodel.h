#pragma once

#include "reportbox.h"

#include <QList>
#include <QPageLayout>
#include <QSizeF>

// A report laid out: every page as the boxes it prints, placed in points on
// the page, with their final texts. The painter draws it; tests read it.
struct PlacedBox
{
    ReportBox::Kind kind;
    QString band;
    QString name;
    QRectF rect;
    QString text;
    QFont font;
    Qt::Alignment alignment;
};

Q_DECLARE_TYPEINFO(PlacedBox, Q_RELOCATABLE_TYPE);

struct ReportPage
{
    QList<PlacedBox> boxes;
};

struct PageModel
{
    QString title;
    QSizeF pageSize;
    QList<ReportPage> pages;

    // Every text of a page in printing order, for reading the model.
    QStringList texts(int page) const;
    // A4 in the orientation of the pages, with no margins of its own.
    QPageLayout pageLayout() const;
};
