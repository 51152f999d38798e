#pragma once

class Messages;
class ProgramWindow;
class QWidget;
class ReportData;
class ReportLayout;

// A report laid out from the rows a window built, previewed maximized and
// modal over that window; the window's activation runs when it closes.
void showReportModal(ProgramWindow &owner, Messages &messages, const ReportLayout &layout, const ReportData &data);

// The same previewed beside the window, which stays usable; the preview
// keeps its pages until the user closes it.
void showReport(QWidget &owner, Messages &messages, const ReportLayout &layout, const ReportData &data);
