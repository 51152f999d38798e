#pragma once

#include "reportband.h"

#include <QSizeF>

// A report layout: its bands in printing order, the page and the caption of
// its preview window. Windows overwrite caption boxes and bind field boxes
// before a preview; restoreDesign() gives a reused layout its design back.
class ReportLayout
{
public:
    ReportLayout(const QString &previewCaption, QList<ReportBand> bands);

    const QString &previewCaption() const { return m_previewCaption; }
    const QList<ReportBand> &bands() const { return m_bands; }
    const ReportBand *band(ReportBand::Kind kind) const;
    static QSizeF pageSize();  // A4, in points
    static qreal margin();

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
};
