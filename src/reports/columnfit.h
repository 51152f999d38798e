#pragma once

class ReportData;
class ReportLayout;

// Gives the columns of a layout the widths its data needs: each column as
// wide as its widest caption, date, amount or total, so those print whole;
// the room left goes to the columns of long texts, which wrap in it.
namespace columnfit {

void fit(ReportLayout &layout, const ReportData &data);

}
