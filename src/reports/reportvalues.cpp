#include "reportvalues.h"

#include "reportbox.h"
#include "store/resulttable.h"

namespace reportvalues {

QString formatted(const Field &value, const QString &format)
{
    if (value.isNull())
        return QString();
    if (format == reportformat::Amount)
        return value.toMoney().euroText();
    if (format == reportformat::Date && value.kind() == Field::Kind::Date)
        return value.toDate().toString(reportformat::Date);
    return value.text();
}

Money sumOf(const ResultTable &rows, const QString &column)
{
    const int c = rows.columnIndex(column);
    qint64 cents = 0;
    for (int r = 0; c >= 0 && r < rows.rowCount(); ++r)
        cents += rows.field(r, c).toMoney().cents();
    return Money::fromCents(cents);
}

}
