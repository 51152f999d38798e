#include "arrangedrows.h"

#include "datefield.h"
#include "store/collation.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace {

class ReorderedRows : public GridRows
{
public:
    ReorderedRows(std::shared_ptr<const GridRows> rows, std::vector<int> order)
        : m_rows(std::move(rows)), m_order(std::move(order))
    {}

    int rowCount() const override { return int(m_order.size()); }
    QString text(int row, int column) const override { return m_rows->text(m_order[size_t(row)], column); }
    RowVersion version(int row) const override { return m_rows->version(m_order[size_t(row)]); }

private:
    std::shared_ptr<const GridRows> m_rows;
    std::vector<int> m_order;
};

int compareTexts(const QString &a, const QString &b)
{
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return collation::compare(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
}

}

std::optional<double> cellNumber(const QString &cell)
{
    static const QRegularExpression italian(QStringLiteral("^-?(\\d{1,3}(\\.\\d{3})+|\\d+)(,\\d+)?$"));
    static const QRegularExpression plain(QStringLiteral("^-?\\d+\\.\\d+$"));
    const QString text = cell.trimmed();
    if (plain.match(text).hasMatch())
        return text.toDouble();
    if (!italian.match(text).hasMatch())
        return std::nullopt;
    return QString(text).remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

bool cellContains(const QString &cell, const QString &find)
{
    const QByteArray text = cell.toUtf8();
    const QByteArray pattern = (QLatin1Char('%') + find + QLatin1Char('%')).toUtf8();
    return collation::like(text.constData(), int(text.size()), pattern.constData(), int(pattern.size()));
}

bool cellBefore(const QString &a, const QString &b)
{
    if (const auto x = cellNumber(a), y = cellNumber(b); x && y)
        return *x < *y;
    if (const QDate x = readTypedDate(a), y = readTypedDate(b); x.isValid() && y.isValid())
        return x < y;
    // Empty cells last, as they carry nothing to find.
    if (a.isEmpty() != b.isEmpty())
        return b.isEmpty();
    return compareTexts(a, b) < 0;
}

std::shared_ptr<const GridRows> arrangedRows(const std::shared_ptr<const GridRows> &rows, const RowArrangement &how)
{
    if (!rows || how.isPlain())
        return rows;
    if (auto own = rows->arranged(how))
        return own;
    std::vector<int> order;
    for (int row = 0; row < rows->rowCount(); ++row)
        if (how.find.isEmpty() || std::any_of(how.searched.begin(), how.searched.end(), [&](int column) {
                return cellContains(rows->text(row, column), how.find);
            }))
            order.push_back(row);
    if (how.column >= 0) {
        std::vector<QString> keys(size_t(rows->rowCount()));
        for (int row : order)
            keys[size_t(row)] = rows->text(row, how.column);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return how.descending ? cellBefore(keys[size_t(b)], keys[size_t(a)]) : cellBefore(keys[size_t(a)], keys[size_t(b)]);
        });
    }
    return std::make_shared<ReorderedRows>(rows, std::move(order));
}
