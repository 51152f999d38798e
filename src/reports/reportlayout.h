#pragma once

#include "reportband.h"

#include <QSizeF>

// A column of a layout. The boxes placed in it (ReportBox::column) take
// their left edge and width from what the printed texts need; the columns
// of long texts share the room left, in proportion to their design widths.
struct ReportColumn
{
    qreal designWidth;
    bool wraps;
};

// A report layout: its bands in printing order, its columns, the page and
// the caption of its preview window. Windows overwrite caption boxes and
// bind field boxes before a preview; restoreDesign() gives a reused layout
// its design back.
class ReportLayout
{
public:
    enum class Page { Portrait, Landscape };

    ReportLayout(const QString &previewCaption, QList<ReportBand> bands, QList<ReportColumn> columns = {},
                 Page page = Page::Portrait);

    const QString &previewCaption() const { return m_previewCaption; }
    const QList<ReportBand> &bands() const { return m_bands; }
    QList<ReportBand> &bands() { return m_bands; }
    const QList<ReportColumn> &columns() const { return m_columns; }
    const ReportBand *band(ReportBand::Kind kind) const;
    QSizeF pageSize() const; // A4, in points
    static qreal margin();
    // The width the bands have between the page margins.
    static qreal contentWidth(Page page);
    qreal contentWidth() const { return contentWidth(m_page); }

    // The box of that name in the band at that position (1 = the first,
    // the report header) or of that name; null when there is none.
    ReportBox *box(int bandPosition, const QString &name);
    ReportBox *box(const QString &bandName, const QString &name);
    void setCaption(int bandPosition, const QString &name, const QString &text);
    void setDataField(const QString &bandName, const QString &name, const QString &field);
    void restoreDesign();

private:
    QString m_previewCaption;
    QList<ReportBand> m_bands;
    QList<ReportBand> m_design;
    QList<ReportColumn> m_columns;
    Page m_page;
};
