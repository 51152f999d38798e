#include "sheetfile.h"

#include "csvsheet.h"
#include "spreadsheetfile.h"
#include "store/storeerror.h"
#include "zipparts.h"

#include <QFile>
#include <QFileInfo>

namespace sheetfile {

namespace {

// Far more than an office's years of services.
constexpr qint64 Largest = 512ll << 20;

[[noreturn]] void refuse(const QString &why)
{
    throw StoreError(why, StoreError::Kind::Invalid);
}

Read fromWorkbook(const QString &path, const QString &sheetName)
{
    const ZipParts parts(path);
    const bool xlsx = parts.has(QStringLiteral("xl/workbook.xml"));
    const bool ods = !xlsx && parts.has(QStringLiteral("content.xml")) && parts.has(QStringLiteral("mimetype"))
        && parts.read(QStringLiteral("mimetype")).contains("opendocument.spreadsheet");
    if (!xlsx && !ods)
        refuse(parts.has(QStringLiteral("word/document.xml")) || parts.has(QStringLiteral("content.xml"))
                   ? QStringLiteral("il file è un documento di testo, non un foglio di calcolo")
                   : QStringLiteral("il file è un archivio ZIP, non un foglio di calcolo XLSX o ODS"));
    Read read;
    read.sheets = xlsx ? xlsxfile::sheetNames(parts) : odsfile::sheetNames(parts);
    read.sheet = xlsx ? xlsxfile::sheet(parts, sheetName) : odsfile::sheet(parts, sheetName);
    const QString chosen = read.sheets.value(cellvalues::indexOfSheet(read.sheets, sheetName));
    read.form = QStringLiteral("%1, foglio \"%2\"").arg(xlsx ? QStringLiteral("XLSX") : QStringLiteral("ODS"), chosen);
    return read;
}

}

Read read(const QString &path, const QString &sheetName)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        refuse(QStringLiteral("il file %1 non si può leggere: %2").arg(QFileInfo(path).fileName(), file.errorString()));
    if (file.size() > Largest)
        refuse(QStringLiteral("il file è troppo grande per essere un elenco da importare"));
    const QByteArray start = file.peek(8);
    if (start.startsWith("PK\x03\x04"))
        return fromWorkbook(path, sheetName);
    if (start.startsWith("\xD0\xCF\x11\xE0"))
        refuse(QStringLiteral("il file è nel vecchio formato di Excel (XLS) o è protetto da una password: salvarlo, "
                              "senza password, come XLSX o CSV e importare quello"));
    if (start.startsWith("%PDF"))
        refuse(QStringLiteral("il file è un PDF, non un foglio di calcolo"));
    const QByteArray bytes = file.readAll();
    csvsheet::Read csv = csvsheet::read(bytes);
    const QString separator = csv.separator == QLatin1Char('\t') ? QStringLiteral("tabulazione")
                                                                 : QStringLiteral("\"%1\"").arg(csv.separator);
    return {std::move(csv.sheet), QStringLiteral("CSV (%1, separatore %2)").arg(csv.encoding, separator), {}};
}

}
