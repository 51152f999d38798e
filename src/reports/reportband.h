#pragma once

#include "reportbox.h"

#include <QList>

// A band of a layout and the boxes it prints each time it is printed.
struct ReportBand
{
    enum class Kind { ReportHeader, PageHeader, GroupHeader, Detail, GroupFooter, PageFooter, ReportFooter };

    Kind kind;
    QString name; // Section4, Section2, Section6, Section1, Section7, Section3, Report
    qreal height;
    QList<ReportBox> boxes;
};
