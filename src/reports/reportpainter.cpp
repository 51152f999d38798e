#include "reportpainter.h"

#include "textmeasure.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace reportpainter {

void paintPage(QPainter &painter, const ReportPage &page, qreal pixelsPerPoint)
{
    // Fonts are sized in points of the device; the page is drawn in points
    // of the paper, so a zoomed preview scales its fonts too.
    const qreal fontScale = pixelsPerPoint * 72.0 / painter.device()->logicalDpiY();
    painter.save();
    for (const PlacedBox &box : page.boxes) {
        const QRectF rect(box.rect.x() * pixelsPerPoint, box.rect.y() * pixelsPerPoint,
                          box.rect.width() * pixelsPerPoint, box.rect.height() * pixelsPerPoint);
        switch (box.kind) {
        case ReportBox::Kind::Line:
            painter.setPen(QPen(Qt::black, 0.75 * pixelsPerPoint));
            painter.drawLine(rect.topLeft(), rect.topRight());
            break;
        case ReportBox::Kind::Frame:
            painter.setPen(QPen(Qt::black, 0.75 * pixelsPerPoint));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect);
            break;
        default: {
            QFont font = box.font;
            font.setPointSizeF(box.font.pointSizeF() * fontScale);
            painter.setFont(font);
            painter.setPen(Qt::black);
            // The layout made every line fit its box; a printer's rounding
            // must not clip one.
            const QStringList lines = box.text.split(QLatin1Char('\n'));
            if (lines.size() == 1) {
                painter.drawText(rect, int(box.alignment) | Qt::TextSingleLine | Qt::TextDontClip, box.text);
                break;
            }
            const qreal step = TextMeasure::of(box.font).lineHeight() * pixelsPerPoint;
            for (int l = 0; l < lines.size(); ++l)
                painter.drawText(QRectF(rect.x(), rect.y() + l * step, rect.width(), step),
                                 int(box.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                                 lines.at(l));
        }
        }
    }
    painter.restore();
}

bool paintAll(QPagedPaintDevice &device, const PageModel &model)
{
    QPainter painter(&device);
    if (!painter.isActive())
        return false;
    const qreal pixelsPerPoint = device.logicalDpiX() / 72.0;
    for (int p = 0; p < model.pages.size(); ++p) {
        if (p > 0)
            device.newPage();
        paintPage(painter, model.pages.at(p), pixelsPerPoint);
    }
    return true;
}

bool exportPdf(const PageModel &model, const QString &path)
{
    QPdfWriter writer(path);
    if (!writer.setPageLayout(model.pageLayout()))
        return false;
    writer.setResolution(300);
    writer.setTitle(model.title);
    writer.setCreator(QStringLiteral("Velmora"));
    return paintAll(writer, model);
}

}
