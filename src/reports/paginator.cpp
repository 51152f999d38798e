#include "paginator.h"

#include "columnfit.h"
#include "reportdata.h"
#include "reportlayout.h"
#include "reportvalues.h"
#include "textmeasure.h"

#include <QHash>
#include <QLocale>
#include <QVarLengthArray>

#include <algorithm>
#include <numeric>

namespace {

using Kind = ReportBand::Kind;
using reportvalues::formatted;

// What a band's boxes read: the current row, and the rows a total covers.
struct Scope
{
    const ResultTable *rows = nullptr;
    int row = -1;
    const ResultTable *totalled = nullptr;
};

// A band as printed once: its boxes with their texts, placed from the
// band's top, and its height once its long texts have wrapped.
struct LaidBand
{
    QList<PlacedBox> boxes;
    qreal height = 0;
};

class Pages
{
public:
    Pages(const ReportLayout &layout, const QDate &printDate) : m_layout(layout), m_printDate(printDate)
    {
        m_model.title = layout.previewCaption();
        m_model.pageSize = layout.pageSize();
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
        LaidBand laid = lay(*band, scope);
        if (m_y + laid.height + keepWith > m_bottom)
            breakPage();
        place(std::move(laid));
    }

    qreal heightOf(Kind kind, const Scope &scope) const
    {
        const ReportBand *band = m_layout.band(kind);
        return band ? lay(*band, scope).height : 0;
    }

    // The group whose header a page that breaks into it repeats.
    void setGroup(std::optional<Scope> group) { m_group = group; }

    PageModel finish()
    {
        if (m_model.pages.isEmpty())
            startPage();
        endPage();
        const qsizetype count = m_model.pages.size();
        for (int p = 0; p < count; ++p)
            for (PlacedBox &box : m_model.pages[p].boxes)
                if (box.kind == ReportBox::Kind::PageNumber)
                    box.text = QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(count);
        return std::move(m_model);
    }

private:
    void startPage()
    {
        // A page holds about as many boxes as the one before it.
        const qsizetype previous = m_model.pages.isEmpty() ? 0 : m_model.pages.last().boxes.size();
        m_model.pages.append(ReportPage());
        m_model.pages.last().boxes.reserve(previous + 16);
        m_y = ReportLayout::margin();
        if (m_model.pages.size() == 1)
            print(Kind::ReportHeader);
        print(Kind::PageHeader);
        if (const ReportBand *header = m_layout.band(Kind::GroupHeader); header && m_group)
            place(lay(*header, *m_group, true));
    }

    void endPage()
    {
        if (const ReportBand *footer = m_layout.band(Kind::PageFooter)) {
            m_y = m_bottom;
            place(lay(*footer, {}));
        }
    }

    void breakPage()
    {
        endPage();
        startPage();
    }

    void place(LaidBand laid)
    {
        ReportPage &page = m_model.pages.last();
        for (PlacedBox &box : laid.boxes) {
            box.rect.translate(ReportLayout::margin(), m_y);
            page.boxes.append(std::move(box));
        }
        m_y += laid.height;
    }

    // Long texts wrap in their boxes; a box that grows pushes down the boxes
    // under it and stretches those around it (its row, a frame).
    LaidBand lay(const ReportBand &band, const Scope &scope, bool continued = false) const
    {
        LaidBand laid{{}, band.height};
        laid.boxes.reserve(band.boxes.size());
        QVarLengthArray<qreal, 16> growth(band.boxes.size());
        std::fill(growth.begin(), growth.end(), 0.0);
        for (const ReportBox &box : band.boxes) {
            QString text = textOf(box, scope);
            if (continued && box.kind == ReportBox::Kind::Field)
                text += QStringLiteral(" (segue)");
            if (box.wraps && !text.isEmpty() && !fitsAsItIs(box, text)) {
                TextMeasure &font = measureOf(box);
                const QStringList lines = font.lines(text, box.rect.width());
                growth[laid.boxes.size()] = std::max(0.0, qreal(lines.size()) * font.lineHeight() - box.rect.height());
                text = lines.join(QLatin1Char('\n'));
            }
            laid.boxes.append({box.kind, band.name, box.name, box.rect, text, box.font, box.alignment});
        }
        if (std::all_of(growth.cbegin(), growth.cend(), [](qreal g) { return g == 0; }))
            return laid;
        // From the top down, so a box pushed down pushes on what is under it.
        QList<int> order(band.boxes.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&band](int a, int b) {
            const QRectF &first = band.boxes.at(a).rect, &second = band.boxes.at(b).rect;
            return std::pair(first.top(), first.bottom()) < std::pair(second.top(), second.bottom());
        });
        QList<qreal> shift(band.boxes.size(), 0);
        for (int done = 0; done < order.size(); ++done)
            for (int above = 0; above < done; ++above)
                if (band.boxes.at(order.at(above)).rect.bottom() <= band.boxes.at(order.at(done)).rect.top())
                    shift[order.at(done)] = std::max(shift.at(order.at(done)),
                                                     shift.at(order.at(above)) + growth.at(order.at(above)));
        qreal grown = 0;
        for (int b = 0; b < laid.boxes.size(); ++b) {
            const QRectF &design = band.boxes.at(b).rect;
            qreal stretch = 0;
            for (int i = 0; i < growth.size(); ++i) {
                const QRectF &inside = band.boxes.at(i).rect;
                if (inside.top() >= design.top() && inside.bottom() <= design.bottom()
                    && (i == b || inside.bottom() > design.top()))
                    stretch = std::max(stretch, shift.at(i) + growth.at(i) - shift.at(b));
            }
            PlacedBox &box = laid.boxes[b];
            box.rect.translate(0, shift.at(b));
            box.rect.setHeight(box.rect.height() + stretch);
            if (stretch > 0)
                box.alignment = (box.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop;
            grown = std::max(grown, shift.at(b) + stretch);
        }
        laid.height += grown;
        return laid;
    }

    TextMeasure &measureOf(const ReportBox &box) const
    {
        TextMeasure *&measure = m_measures[&box];
        if (!measure)
            measure = &TextMeasure::of(box.font);
        return *measure;
    }

    // The common case, told without breaking the text into a list of lines.
    bool fitsAsItIs(const ReportBox &box, const QString &text) const
    {
        TextMeasure &font = measureOf(box);
        return font.fitsOneLine(text, box.rect.width()) && font.lineHeight() <= box.rect.height();
    }

    // The column a field box reads in the rows, looked up once per box and
    // row set rather than once per row.
    int columnOf(const ReportBox &box, const ResultTable *rows) const
    {
        if (!rows)
            return -1;
        auto &[indexed, column] = m_columns[&box];
        if (indexed != rows) {
            indexed = rows;
            column = rows->columnIndex(box.field);
        }
        return column;
    }

    QString textOf(const ReportBox &box, const Scope &scope) const
    {
        switch (box.kind) {
        case ReportBox::Kind::Caption:
            return box.text;
        case ReportBox::Kind::Field: {
            const int column = columnOf(box, scope.rows);
            return column < 0 ? QString() : formatted(scope.rows->field(scope.row, column), box.format);
        }
        case ReportBox::Kind::Total:
            return formatted(Field::ofMoney(scope.totalled ? reportvalues::sumOf(*scope.totalled, box.field).cents() : 0),
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
    std::optional<Scope> m_group;
    mutable QHash<const ReportBox *, std::pair<const ResultTable *, int>> m_columns;
    mutable QHash<const ReportBox *, TextMeasure *> m_measures;
    qreal m_y = 0;
    qreal m_bottom = 0;
};

}

PageModel paginate(const ReportLayout &design, const ReportData &data, const QDate &printDate)
{
    ReportLayout layout = design;
    columnfit::fit(layout, data);
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
        const Scope group{&rows, parent, nullptr};
        pages.print(Kind::GroupHeader, group, pages.heightOf(Kind::Detail, {&children, 0, nullptr}));
        pages.setGroup(group);
        for (int child = 0; child < children.rowCount(); ++child)
            pages.print(Kind::Detail, {&children, child, nullptr});
        pages.print(Kind::GroupFooter, {&rows, parent, &children});
        pages.setGroup(std::nullopt);
    }
    pages.print(Kind::ReportFooter);
    return pages.finish();
}
