#include "paginator.h"

#include "reportdata.h"
#include "reportlayout.h"
#include "store/money.h"

#include <QLocale>

namespace {

using Kind = ReportBand::Kind;

QString formatted(const Field &value, const QString &format)
{
    if (value.isNull())
        return QString();
    if (format == reportformat::Amount)
        return QStringLiteral("€ ") + value.toMoney().groupedText();
    if (format == reportformat::Date && value.kind() == Field::Kind::Date)
        return value.toDate().toString(reportformat::Date);
    return value.text();
}

Money sumOf(const ResultTable &rows, const QString &column)
{
    const int c = rows.columnIndex(column);
    qint64 cents = 0;
    for (int r = 0; c >= 0 && r < rows.rowCount(); ++r)
        cents += rows.field(r, c).toMoney().cents(); // Null counts as 0
    return Money::fromCents(cents);
}

// What a band's boxes read: the current row, and the rows a total covers.
struct Scope
{
    const ResultTable *rows = nullptr;
    int row = -1;
    const ResultTable *totalled = nullptr;
};

class Pages
{
public:
    Pages(const ReportLayout &layout, const QDate &printDate)
        : m_layout(layout), m_printDate(printDate)
    {
        m_model.title = layout.previewCaption();
        m_model.pageSize = ReportLayout::pageSize();
        const ReportBand *footer = layout.band(Kind::PageFooter);
        m_bottom = m_model.pageSize.height() - ReportLayout::margin() - (footer ? footer->height : 0);
    }

    void print(Kind kind, const Scope &scope = {}, qreal keepWith = 0)
    {
        const ReportBand *band = m_layout.band(kind);
        if (!band)
            return;
        if (m_model.pages.isEmpty())
            startPage();
        else if (m_y + band->height + keepWith > m_bottom)
            breakPage();
        place(*band, scope);
    }

    qreal heightOf(Kind kind) const
    {
        const ReportBand *band = m_layout.band(kind);
        return band ? band->height : 0;
    }

    PageModel finish()
    {
        if (m_model.pages.isEmpty())
            startPage();
        endPage();
        const int count = m_model.pages.size();
        for (int p = 0; p < count; ++p)
            for (PlacedBox &box : m_model.pages[p].boxes)
                if (box.kind == ReportBox::Kind::PageNumber)
                    box.text = QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(count);
        return std::move(m_model);
    }

private:
    void startPage()
    {
        m_model.pages.append(ReportPage());
        m_y = ReportLayout::margin();
        if (m_model.pages.size() == 1)
            print(Kind::ReportHeader);
        print(Kind::PageHeader);
    }

    void endPage()
    {
        if (const ReportBand *footer = m_layout.band(Kind::PageFooter)) {
            m_y = m_bottom;
            place(*footer, {});
        }
    }

    void breakPage()
    {
        endPage();
        startPage();
    }

    void place(const ReportBand &band, const Scope &scope)
    {
        ReportPage &page = m_model.pages.last();
        for (const ReportBox &box : band.boxes)
            page.boxes.append({box.kind, band.name, box.name,
                               box.rect.translated(ReportLayout::margin(), m_y), textOf(box, scope), box.font,
                               box.alignment});
        m_y += band.height;
    }

    QString textOf(const ReportBox &box, const Scope &scope) const
    {
        switch (box.kind) {
        case ReportBox::Kind::Caption:
            return box.text;
        case ReportBox::Kind::Field: {
            const int column = scope.rows ? scope.rows->columnIndex(box.field) : -1;
            return column < 0 ? QString() : formatted(scope.rows->field(scope.row, column), box.format);
        }
        case ReportBox::Kind::Total:
            return formatted(Field::ofMoney(scope.totalled ? sumOf(*scope.totalled, box.field).cents() : 0),
                             box.format);
        case ReportBox::Kind::PrintDate:
            return QStringLiteral("Stampato il  ")
                + QLocale(QLocale::Italian, QLocale::Italy).toString(m_printDate, QLocale::LongFormat);
        case ReportBox::Kind::PageNumber:
        case ReportBox::Kind::Line:
        case ReportBox::Kind::Frame:
            break;
        }
        return QString();
    }

    const ReportLayout &m_layout;
    QDate m_printDate;
    PageModel m_model;
    qreal m_y = 0;
    qreal m_bottom = 0;
};

}

PageModel paginate(const ReportLayout &layout, const ReportData &data, const QDate &printDate)
{
    Pages pages(layout, printDate);
    const ResultTable &rows = data.rows();
    if (!data.grouped()) {
        for (int r = 0; r < rows.rowCount(); ++r)
            pages.print(Kind::Detail, {&rows, r, nullptr});
        pages.print(Kind::ReportFooter, {nullptr, -1, &rows});
        return pages.finish();
    }
    for (int parent = 0; parent < rows.rowCount(); ++parent) {
        const ResultTable &children = data.children(parent);
        // A client without rows in the period is left out.
        if (children.rowCount() == 0)
            continue;
        // The group header never stays alone at the foot of a page.
        pages.print(Kind::GroupHeader, {&rows, parent, nullptr}, pages.heightOf(Kind::Detail));
        for (int child = 0; child < children.rowCount(); ++child)
            pages.print(Kind::Detail, {&children, child, nullptr});
        pages.print(Kind::GroupFooter, {&rows, parent, &children});
    }
    pages.print(Kind::ReportFooter);
    return pages.finish();
}
