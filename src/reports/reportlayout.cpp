#include "reportlayout.h"

ReportLayout::ReportLayout(const QString &previewCaption, QList<ReportBand> bands, QList<ReportColumn> columns, Page page)
    : m_previewCaption(previewCaption), m_bands(std::move(bands)), m_columns(std::move(columns)), m_page(page)
{
    for (ReportBand &band : m_bands)
        for (ReportBox &box : band.boxes)
            box.designText = box.text;
    m_design = m_bands;
}

const ReportBand *ReportLayout::band(ReportBand::Kind kind) const
{
    for (const ReportBand &band : m_bands)
        if (band.kind == kind)
            return &band;
    return nullptr;
}

QSizeF ReportLayout::pageSize() const
{
    const QSizeF portrait(595.28, 841.89);
    return m_page == Page::Portrait ? portrait : portrait.transposed();
}

qreal ReportLayout::contentWidth(Page page)
{
    return ReportLayout(QString(), {}, {}, page).pageSize().width() - 2 * margin();
}

qreal ReportLayout::margin()
{
    return 34; // 12 mm
}

ReportBox *ReportLayout::box(int bandPosition, const QString &name)
{
    if (bandPosition < 1 || bandPosition > m_bands.size())
        return nullptr;
    for (ReportBox &box : m_bands[bandPosition - 1].boxes)
        if (box.name.compare(name, Qt::CaseInsensitive) == 0)
            return &box;
    return nullptr;
}

ReportBox *ReportLayout::box(const QString &bandName, const QString &name)
{
    for (int position = 1; position <= m_bands.size(); ++position)
        if (m_bands[position - 1].name.compare(bandName, Qt::CaseInsensitive) == 0)
            return box(position, name);
    return nullptr;
}

void ReportLayout::setCaption(int bandPosition, const QString &name, const QString &text)
{
    if (ReportBox *found = box(bandPosition, name))
        found->text = text;
}

void ReportLayout::setDataField(const QString &bandName, const QString &name, const QString &field)
{
    if (ReportBox *found = box(bandName, name))
        found->field = field;
}

void ReportLayout::restoreDesign()
{
    m_bands = m_design;
}
