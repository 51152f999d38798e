#include "reportshow.h"

#include "reportpreview.h"
#include "reports/paginator.h"
#include "reports/reportdata.h"
#include "ui/programwindow.h"
#include "ui/windowplacement.h"

#include <QDate>

void showReportModal(ProgramWindow &owner, Messages &messages, const ReportLayout &layout, const ReportData &data)
{
    ReportPreview preview(paginate(layout, data, QDate::currentDate()), messages, &owner);
    preview.setWindowState(Qt::WindowMaximized);
    owner.showModal(preview);
}

void showReport(QWidget &owner, Messages &messages, const ReportLayout &layout, const ReportData &data)
{
    auto *preview = new ReportPreview(paginate(layout, data, QDate::currentDate()), messages, &owner);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->resize(900, 700);
    windowplacement::follow(preview);
    preview->show();
}
