#include "reportpainter.h"

#include "textmeasure.h"
#include "store/durablefile.h"
#include "store/storeerror.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QFile>
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
        const QRectF rect(box.rect.x() * pixelsPerPoint, box.rect.y() * pixelsPerPoint, box.rect.width() * pixelsPerPoint,
                          box.rect.height() * pixelsPerPoint);
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
                                 int(box.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextSingleLine
                                     | Qt::TextDontClip,
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
    // Painted under a name of its own and put in place whole: a full disk
    // or a kill never leaves half a document under the name asked for.
    try {
        durablefile::make(
            path,
            [&](const QString &partial) {
                bool painted = false;
                {
                    QPdfWriter writer(partial);
                    if (writer.setPageLayout(model.pageLayout())) {
                        writer.setResolution(300);
                        writer.setTitle(model.title);
                        writer.setCreator(QStringLiteral("Velmora"));
                        painted = paintAll(writer, model);
                    }
                }
                // The writer does not tell a disk that filled up: a whole PDF
                // ends with its end-of-file mark.
                QFile written(partial);
                const bool whole = painted && written.open(QIODevice::ReadOnly) && written.size() > 0
                    && written.seek(qMax<qint64>(0, written.size() - 1024)) && written.readAll().contains("%%EOF");
                if (!whole)
                    throw StoreError(QStringLiteral("il documento %1 non può essere scritto per intero").arg(path));
            },
            durablefile::Existing::Replaced);
        return true;
    } catch (const StoreError &) {
        return false;
    }
}

}
