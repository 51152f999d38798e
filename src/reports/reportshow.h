#pragma once

class Messages;
class ProgramWindow;
class ReportData;
class ReportLayout;

// A report laid out from the rows a window built, previewed maximized and
// modal over that window; the window's activation runs when it closes.
void showReportModal(ProgramWindow &owner, Messages &messages, const ReportLayout &layout, const ReportData &data);
