#pragma once

#include "pagemodel.h"

#include <QDate>

class ReportData;
class ReportLayout;

// Lays a report out once into pages: the report header on the first page,
// the page header and footer on every page, group bands around each
// parent's rows, the report footer once after the last row (on a page of
// its own when it does not fit), totals of their scope, and "Pagina N di M"
// with the true page count.
PageModel paginate(const ReportLayout &layout, const ReportData &data, const QDate &printDate);
