#include "tableexport.h"

#include "store/durablefile.h"
#include "store/money.h"
#include "store/storeerror.h"
#include "workbook.h"

namespace tableexport {

namespace {

// A cell as an Italian spreadsheet reads it: quoted when it holds ";", a
// quote or a line break.
QString csvCell(QString text)
{
    if (text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n')))
        text = QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    return text;
}

QString totalOf(const Table &table)
{
    qint64 cents = 0;
    for (const QStringList &row : table.rows)
        cents += Money::fromText(row.value(table.amountColumn)).value_or(Money()).cents();
    return Money::fromCents(cents).plainText();
}

QList<QStringList> withTotals(const Table &table)
{
    QList<QStringList> rows = table.rows;
    if (table.amountColumn >= 0) {
        QStringList totals(table.headers.size());
        totals[0] = QStringLiteral("Totale");
        totals[table.amountColumn] = totalOf(table);
        rows << totals;
    }
    return rows;
}

void writeXlsx(const Table &table, const QString &path)
{
    const Workbook made(path);
    lxw_workbook *book = made.book;
    lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
    for (int c = 0; c < table.headers.size(); ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(c), table.headers.at(c).toUtf8().constData(), made.heading);
    const QList<QStringList> rows = withTotals(table);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c) {
            const QString &cell = rows.at(r).at(c);
            const auto amount = c == table.amountColumn ? Money::fromText(cell) : std::nullopt;
            if (amount)
                worksheet_write_number(sheet, lxw_row_t(r + 1), lxw_col_t(c), double(amount->cents()) / 100, made.euro);
            else if (!cell.isEmpty())
                worksheet_write_string(sheet, lxw_row_t(r + 1), lxw_col_t(c), cell.toUtf8().constData(), nullptr);
        }
    made.close();
}

}

QByteArray csvBytes(const Table &table)
{
    QString text = QStringLiteral("\uFEFF");
    for (const QStringList &row : QList<QStringList>{table.headers} + withTotals(table)) {
        QStringList cells;
        for (const QString &cell : row)
            cells << csvCell(cell);
        text += cells.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

void write(const Table &table, Format format, const QString &path)
{
    durablefile::make(path, [&](const QString &partial) {
        if (format == Format::Csv)
            durablefile::writeWhole(partial, csvBytes(table));
        else
            writeXlsx(table, partial);
    });
}

}
