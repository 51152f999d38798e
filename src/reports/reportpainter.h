#pragma once

#include "pagemodel.h"

class QPagedPaintDevice;
class QPainter;

// Draws laid-out pages into any painter: the preview, the printer, a PDF.
namespace reportpainter {

// One page, at so many device pixels per point.
void paintPage(QPainter &painter, const ReportPage &page, qreal pixelsPerPoint);
// Every page on a paged device set to A4 with no margins of its own; false
// when the device can't be painted on.
bool paintAll(QPagedPaintDevice &device, const PageModel &model);
// The whole report as a PDF file; false when the file can't be written.
bool exportPdf(const PageModel &model, const QString &path);

}
