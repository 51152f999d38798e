#include "columnfit.h"

#include "reportdata.h"
#include "reportlayout.h"
#include "reportvalues.h"
#include "textmeasure.h"

#include <algorithm>

namespace {

using Kind = ReportBand::Kind;

// The blank between the texts of neighbouring columns.
constexpr qreal Gap = 6;
// Room for a few words in a column of long texts however full the page.
constexpr qreal NarrowestWrap = 40;
// What the measure of a text may miss on a printer's own rounding.
constexpr qreal Slack = 1;

struct Need
{
    qreal whole = 0; // the widest text that must print on one line
    qreal natural = 0; // the widest long text, on one line
    qreal word = 0; // the widest word of the long texts
};

// The row sets a band's fields read, as the report prints them.
QList<const ResultTable *> rowsOf(Kind kind, const ReportData &data)
{
    if (kind == Kind::Detail && !data.grouped())
        return {&data.rows()};
    QList<const ResultTable *> sets;
    if (kind == Kind::Detail)
        for (int parent = 0; parent < data.rows().rowCount(); ++parent)
            sets << &data.children(parent);
    else if (data.grouped() && (kind == Kind::GroupHeader || kind == Kind::GroupFooter))
        sets << &data.rows();
    return sets;
}

// The row sets a band's totals cover.
QList<const ResultTable *> totalledBy(Kind kind, const ReportData &data)
{
    if (kind == Kind::ReportFooter && !data.grouped())
        return {&data.rows()};
    return kind == Kind::GroupFooter ? rowsOf(Kind::Detail, data) : QList<const ResultTable *>{};
}

void measure(const ReportBox &box, Kind kind, const ReportData &data, Need &need)
{
    TextMeasure &font = TextMeasure::of(box.font);
    const auto widen = [&font](qreal &widest, const QString &text) { widest = std::max(widest, font.width(text) + Slack); };
    switch (box.kind) {
    case ReportBox::Kind::Caption:
        widen(need.whole, box.text);
        break;
    case ReportBox::Kind::Field:
        for (const ResultTable *rows : rowsOf(kind, data)) {
            const int column = rows->columnIndex(box.field);
            for (int r = 0; column >= 0 && r < rows->rowCount(); ++r) {
                const QString text = reportvalues::formatted(rows->field(r, column), box.format);
                widen(box.wraps ? need.natural : need.whole, text);
                if (box.wraps)
                    need.word = std::max(need.word, font.widestWord(text) + Slack);
            }
        }
        break;
    case ReportBox::Kind::Total:
        for (const ResultTable *rows : totalledBy(kind, data))
            widen(need.whole, reportvalues::formatted(Field::ofMoney(reportvalues::sumOf(*rows, box.field).cents()), box.format));
        break;
    default:
        break;
    }
}

// Widths, gap included, for the columns of long texts out of the room
// left. When their texts fit on one line the spare room goes by design
// width; otherwise each gets a share of its longest text, so all wrap onto
// about as many lines and rows stay as low as they can, but no column
// narrower than its caption or its widest word, so that words break only
// where one alone is wider than the page allows.
void shareRoom(const QList<ReportColumn> &columns, const QList<Need> &needs, qreal room, QList<qreal> &widths)
{
    QList<int> open;
    qreal naturals = 0, designs = 0, least = 0;
    for (int c = 0; c < columns.size(); ++c)
        if (columns.at(c).wraps) {
            open << c;
            naturals += std::max(needs.at(c).natural, needs.at(c).whole) + Gap;
            designs += columns.at(c).designWidth;
            least += std::max(needs.at(c).whole, NarrowestWrap) + Gap;
        }
    // A column takes its widest word unless that word alone, beside the
    // others at their least, is wider than the page allows.
    QList<qreal> narrowest(columns.size(), 0);
    qreal words = 0;
    for (int c : open) {
        const qreal atLeast = std::max(needs.at(c).whole, NarrowestWrap) + Gap;
        const qreal withWord = std::max(atLeast, needs.at(c).word + Gap);
        narrowest[c] = least - atLeast + withWord <= room ? withWord : atLeast;
        words += narrowest[c];
    }
    if (words > room)
        for (int c : open)
            narrowest[c] = std::max(needs.at(c).whole, NarrowestWrap) + Gap;
    if (naturals <= room) {
        for (int c : open)
            widths[c] = std::max(needs.at(c).natural, needs.at(c).whole) + Gap
                + (room - naturals) * columns.at(c).designWidth / designs;
        return;
    }
    for (bool pinned = true; pinned && !open.isEmpty();) {
        pinned = false;
        qreal shares = 0;
        for (int c : open)
            shares += std::max(needs.at(c).natural, needs.at(c).whole) + Gap;
        for (int c : open) {
            widths[c] = room * (std::max(needs.at(c).natural, needs.at(c).whole) + Gap) / shares;
            if (widths[c] < narrowest.at(c)) {
                widths[c] = narrowest.at(c);
                room -= narrowest.at(c);
                open.removeOne(c);
                pinned = true;
                break;
            }
        }
    }
}

}

namespace columnfit {

void fit(ReportLayout &layout, const ReportData &data)
{
    const QList<ReportColumn> &columns = layout.columns();
    if (columns.isEmpty())
        return;
    QList<Need> needs(columns.size());
    qreal left = layout.contentWidth();
    for (const ReportBand &band : layout.bands())
        for (const ReportBox &box : band.boxes)
            if (box.column >= 0) {
                measure(box, band.kind, data, needs[box.column]);
                left = std::min(left, box.rect.left());
            }

    // The columns sit between equal insets; the last one's gap lies past
    // the right inset.
    QList<qreal> widths(columns.size(), 0);
    qreal room = layout.contentWidth() - 2 * left + Gap;
    for (int c = 0; c < columns.size(); ++c)
        if (!columns.at(c).wraps) {
            widths[c] = needs.at(c).whole + Gap;
            room -= widths[c];
        }
    shareRoom(columns, needs, room, widths);

    QList<qreal> edges;
    for (qreal x = left; qreal width : widths) {
        edges << x;
        x += width;
    }
    for (ReportBand &band : layout.bands())
        for (ReportBox &box : band.boxes)
            if (box.column >= 0) {
                box.rect.setLeft(edges.at(box.column));
                box.rect.setWidth(widths.at(box.column) - Gap);
            }
}

}
