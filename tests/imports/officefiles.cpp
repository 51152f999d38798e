#include "officefiles.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>

#include <xlsxwriter.h>
#include <zip.h>

namespace officefiles {

namespace {

std::optional<QDate> dateIn(const QString &cell)
{
    const QDate date = QDate::fromString(cell, QStringLiteral("dd/MM/yyyy"));
    return date.isValid() ? std::optional(date) : std::nullopt;
}

std::optional<double> amountIn(const QString &cell)
{
    static const QRegularExpression amount(QStringLiteral("^\\d+,\\d\\d$"));
    if (!amount.match(cell).hasMatch())
        return std::nullopt;
    return QString(cell).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

}

void writeXlsx(const QString &path, const QList<QStringList> &rows, const QString &sheetName)
{
    lxw_workbook *book = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Note");
    worksheet_write_string(sheet, 0, 0, "un altro foglio", nullptr);
    sheet = workbook_add_worksheet(book, sheetName.toUtf8().constData());
    lxw_format *day = workbook_add_format(book);
    format_set_num_format(day, "dd/mm/yyyy");
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c) {
            const QString &cell = rows.at(r).at(c);
            const auto row = lxw_row_t(r);
            const auto column = lxw_col_t(c);
            if (const auto date = dateIn(cell)) {
                lxw_datetime when{date->year(), date->month(), date->day(), 0, 0, 0};
                worksheet_write_datetime(sheet, row, column, &when, day);
            } else if (const auto amount = amountIn(cell)) {
                worksheet_write_number(sheet, row, column, *amount, nullptr);
            } else if (!cell.isEmpty()) {
                worksheet_write_string(sheet, row, column, cell.toUtf8().constData(), nullptr);
            }
        }
    workbook_close(book);
}

void writeOds(const QString &path, const QList<QStringList> &rows)
{
    QString content = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
        "<table:table table:name=\"Foglio1\"><table:table-column table:number-columns-repeated=\"1024\"/>");
    for (const QStringList &row : rows) {
        content += QStringLiteral("<table:table-row>");
        for (const QString &cell : row) {
            if (const auto date = dateIn(cell))
                content += QStringLiteral("<table:table-cell office:value-type=\"date\" office:date-value=\"%1\">"
                                          "<text:p>%2</text:p></table:table-cell>")
                               .arg(date->toString(Qt::ISODate), cell);
            else if (const auto amount = amountIn(cell))
                content += QStringLiteral("<table:table-cell office:value-type=\"float\" office:value=\"%1\">"
                                          "<text:p>%2</text:p></table:table-cell>")
                               .arg(*amount)
                               .arg(cell);
            else if (cell.isEmpty())
                content += QStringLiteral("<table:table-cell/>");
            else {
                // Two blanks in a row are written as a spacing element.
                QString text = escaped(cell);
                text.replace(QStringLiteral("  "), QStringLiteral(" <text:s/>"));
                content += QStringLiteral("<table:table-cell office:value-type=\"string\"><office:annotation>"
                                          "<text:p>nota</text:p></office:annotation><text:p>%1</text:p></table:table-cell>")
                               .arg(text);
            }
        }
        content += QStringLiteral("<table:table-cell table:number-columns-repeated=\"1000\"/></table:table-row>");
    }
    content += QStringLiteral("<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
                              "table:number-columns-repeated=\"1024\"/></table:table-row>"
                              "</table:table></office:spreadsheet></office:body></office:document-content>");
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    const QByteArray mimetype = "application/vnd.oasis.opendocument.spreadsheet";
    const QByteArray xml = content.toUtf8();
    zip_file_add(archive, "mimetype", zip_source_buffer(archive, mimetype.constData(), zip_uint64_t(mimetype.size()), 0), 0);
    zip_file_add(archive, "content.xml", zip_source_buffer(archive, xml.constData(), zip_uint64_t(xml.size()), 0), 0);
    zip_close(archive);
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

}
