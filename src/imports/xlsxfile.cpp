#include "spreadsheetfile.h"

#include "store/storeerror.h"
#include "zipparts.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

namespace xlsxfile {

namespace {

struct SheetPart
{
    QString name;
    QString part;
};

struct Book
{
    QList<SheetPart> sheets;
    bool from1904 = false;
};

[[noreturn]] void refuse(const QXmlStreamReader &xml, const QString &part)
{
    throw StoreError(QStringLiteral("il foglio di calcolo è danneggiato (%1: %2)").arg(part, xml.errorString()),
                     StoreError::Kind::Invalid);
}

// The attribute of that local name, whatever its namespace prefix.
QString attribute(const QXmlStreamReader &xml, const char *name)
{
    for (const QXmlStreamAttribute &a : xml.attributes())
        if (a.name() == QLatin1String(name))
            return a.value().toString();
    return QString();
}

QString partOf(const QString &target)
{
    return target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target;
}

Book bookOf(const ZipParts &parts)
{
    QHash<QString, QString> targets;
    QXmlStreamReader rels(parts.read(QStringLiteral("xl/_rels/workbook.xml.rels")));
    while (!rels.atEnd())
        if (rels.readNext() == QXmlStreamReader::StartElement && rels.name() == QLatin1String("Relationship"))
            targets.insert(attribute(rels, "Id"), partOf(attribute(rels, "Target")));
    if (rels.hasError())
        refuse(rels, QStringLiteral("workbook.xml.rels"));
    Book book;
    QXmlStreamReader xml(parts.read(QStringLiteral("xl/workbook.xml")));
    while (!xml.atEnd()) {
        if (!xml.readNext() || !xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("workbookPr"))
            book.from1904 = QStringList{QStringLiteral("1"), QStringLiteral("true")}.contains(attribute(xml, "date1904"));
        else if (xml.name() == QLatin1String("sheet"))
            book.sheets.append({attribute(xml, "name"), targets.value(attribute(xml, "id"))});
    }
    if (xml.hasError())
        refuse(xml, QStringLiteral("workbook.xml"));
    return book;
}

// The text of the element the reader is on, its runs joined; phonetic
// guides left out.
QString textOf(QXmlStreamReader &xml)
{
    QString text;
    const QString element = xml.name().toString();
    int depthInGuide = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("rPh"))
            ++depthInGuide;
        else if (xml.isEndElement() && xml.name() == QLatin1String("rPh"))
            --depthInGuide;
        else if (xml.isCharacters() && depthInGuide == 0)
            text += xml.text();
        else if (xml.isEndElement() && xml.name() == element)
            break;
    }
    return text;
}

QStringList sharedStrings(const ZipParts &parts)
{
    QStringList strings;
    if (!parts.has(QStringLiteral("xl/sharedStrings.xml")))
        return strings;
    QXmlStreamReader xml(parts.read(QStringLiteral("xl/sharedStrings.xml")));
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
            strings << textOf(xml);
    if (xml.hasError())
        refuse(xml, QStringLiteral("sharedStrings.xml"));
    return strings;
}

// Whether a number format shows a date: the built-in date formats, or a
// format of its own that writes a day or a year.
bool isDateFormat(int id, const QString &code)
{
    if ((id >= 14 && id <= 17) || id == 22)
        return true;
    if (code.isEmpty())
        return false;
    QString plain = code;
    static const QRegularExpression quoted(QStringLiteral("\"[^\"]*\"|\\[[^\\]]*\\]|\\\\."));
    plain.remove(quoted);
    return plain.contains(QLatin1Char('d'), Qt::CaseInsensitive) || plain.contains(QLatin1Char('y'), Qt::CaseInsensitive);
}

// The styles, by their index in the cells' "s", that show dates.
QSet<int> dateStyles(const ZipParts &parts)
{
    QSet<int> dates;
    if (!parts.has(QStringLiteral("xl/styles.xml")))
        return dates;
    QHash<int, QString> codes;
    QXmlStreamReader xml(parts.read(QStringLiteral("xl/styles.xml")));
    bool inCellStyles = false;
    int index = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("numFmt"))
            codes.insert(attribute(xml, "numFmtId").toInt(), attribute(xml, "formatCode"));
        else if (xml.isStartElement() && xml.name() == QLatin1String("cellXfs"))
            inCellStyles = true;
        else if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs"))
            inCellStyles = false;
        else if (inCellStyles && xml.isStartElement() && xml.name() == QLatin1String("xf")) {
            const int id = attribute(xml, "numFmtId").toInt();
            if (isDateFormat(id, codes.value(id)))
                dates.insert(index);
            ++index;
        }
    }
    if (xml.hasError())
        refuse(xml, QStringLiteral("styles.xml"));
    return dates;
}

// "AB12" is column 27 (from 0); -1 without letters.
int columnOf(const QString &reference)
{
    int column = 0;
    int letters = 0;
    for (const QChar c : reference) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            break;
        column = column * 26 + (c.unicode() - 'A' + 1);
        if (++letters > 3)
            return -1;
    }
    return letters ? column - 1 : -1;
}

// The sheets' columns stop at XFD.
constexpr int Columns = 16384;

struct Cells
{
    const QStringList &strings;
    const QSet<int> &dates;
    QDate epoch;

    QString shown(const QString &type, const QString &value, int style) const
    {
        if (type == QLatin1String("s"))
            return strings.value(value.toInt());
        if (type == QLatin1String("b"))
            return value == QLatin1String("1") ? QStringLiteral("VERO") : QStringLiteral("FALSO");
        if (type == QLatin1String("d"))
            return QDate::fromString(value.left(10), Qt::ISODate).toString(QStringLiteral("dd/MM/yyyy"));
        if (type == QLatin1String("e") || type == QLatin1String("str") || type == QLatin1String("inlineStr"))
            return value;
        bool number = false;
        const double figure = value.toDouble(&number);
        if (!number)
            return value;
        if (dates.contains(style) && figure >= 1 && figure < 2958466)
            return epoch.addDays(qint64(figure)).toString(QStringLiteral("dd/MM/yyyy"));
        return cellvalues::number(figure);
    }
};

QList<SheetRow> rowsOf(const QByteArray &bytes, const Cells &cells, const QString &part)
{
    QList<SheetRow> rows;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("row")) {
            const int number = attribute(xml, "r").toInt();
            rows.append(SheetRow{number > 0 ? number : (rows.isEmpty() ? 1 : rows.last().number + 1), {}});
        } else if (xml.name() == QLatin1String("c") && !rows.isEmpty()) {
            QStringList &row = rows.last().cells;
            const int at = columnOf(attribute(xml, "r"));
            const int column = at >= 0 ? at : int(row.size());
            if (column >= Columns)
                throw StoreError(QStringLiteral("il foglio di calcolo ha una cella oltre l'ultima colonna"),
                                 StoreError::Kind::Invalid);
            const QString type = attribute(xml, "t");
            const int style = attribute(xml, "s").toInt();
            QString value;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("v"))
                    value = xml.readElementText();
                else if (xml.name() == QLatin1String("is"))
                    value = textOf(xml);
                else
                    xml.skipCurrentElement();
            }
            while (row.size() <= column)
                row << QString();
            row[column] = cells.shown(type, value, style);
        }
    }
    if (xml.hasError())
        refuse(xml, part);
    return rows;
}

QStringList namesOf(const Book &book)
{
    QStringList names;
    for (const SheetPart &sheet : book.sheets)
        names << sheet.name;
    return names;
}

}

QStringList sheetNames(const ZipParts &parts)
{
    return namesOf(bookOf(parts));
}

Sheet sheet(const ZipParts &parts, const QString &name)
{
    const Book book = bookOf(parts);
    const SheetPart &chosen = book.sheets.at(cellvalues::indexOfSheet(namesOf(book), name));
    const QStringList strings = sharedStrings(parts);
    const QSet<int> dates = dateStyles(parts);
    const Cells cells{strings, dates, book.from1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30)};
    return sheetrows::fromRows(rowsOf(parts.read(chosen.part), cells, chosen.name));
}

}
