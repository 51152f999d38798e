#include "spreadsheetfile.h"

#include "store/storeerror.h"
#include "zipparts.h"

#include <QDate>
#include <QXmlStreamReader>

namespace odsfile {

namespace {

const QString Table = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString Office = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString Text = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");

// The sheets' columns stop at XFD, their rows at the millionth.
constexpr int Columns = 16384;
constexpr int Rows = 1 << 20;

[[noreturn]] void refuse(const QXmlStreamReader &xml)
{
    throw StoreError(QStringLiteral("il foglio di calcolo è danneggiato (content.xml: %1)").arg(xml.errorString()),
                     StoreError::Kind::Invalid);
}

bool isElement(const QXmlStreamReader &xml, const QString &space, const char *name)
{
    return xml.namespaceUri() == space && xml.name() == QLatin1String(name);
}

int repeats(const QXmlStreamReader &xml, const char *attribute)
{
    const int count = xml.attributes().value(Table, QLatin1String(attribute)).toInt();
    return count > 0 ? count : 1;
}

// The text of a cell: its paragraphs one a line, its spaces, tabs and line
// breaks as written; comments left out.
QString paragraphsOf(QXmlStreamReader &xml)
{
    QStringList paragraphs;
    QString current;
    int depth = 1;
    int inComment = 0;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (isElement(xml, Office, "annotation"))
                inComment = depth;
            else if (inComment)
                continue;
            else if (isElement(xml, Text, "s"))
                current += QString(qMax(1, xml.attributes().value(Text, QLatin1String("c")).toInt()), QLatin1Char(' '));
            else if (isElement(xml, Text, "tab"))
                current += QLatin1Char('\t');
            else if (isElement(xml, Text, "line-break"))
                current += QLatin1Char('\n');
        } else if (xml.isEndElement()) {
            if (inComment == depth)
                inComment = 0;
            else if (!inComment && isElement(xml, Text, "p")) {
                paragraphs << current;
                current.clear();
            }
            --depth;
        } else if (xml.isCharacters() && !inComment) {
            current += xml.text();
        }
    }
    return paragraphs.join(QLatin1Char('\n'));
}

QString cellOf(QXmlStreamReader &xml)
{
    const auto attributes = xml.attributes();
    const QString type = attributes.value(Office, QLatin1String("value-type")).toString();
    const QString shown = paragraphsOf(xml);
    if (type == QLatin1String("float") || type == QLatin1String("percentage") || type == QLatin1String("currency"))
        return cellvalues::number(attributes.value(Office, QLatin1String("value")).toDouble());
    if (type == QLatin1String("date"))
        return QDate::fromString(attributes.value(Office, QLatin1String("date-value")).left(10).toString(), Qt::ISODate)
            .toString(QStringLiteral("dd/MM/yyyy"));
    if (type == QLatin1String("boolean"))
        return attributes.value(Office, QLatin1String("boolean-value")) == QLatin1String("true") ? QStringLiteral("VERO")
                                                                                                 : QStringLiteral("FALSO");
    return shown;
}

// One row's cells; repeated empty cells at its end are not kept.
QStringList rowOf(QXmlStreamReader &xml)
{
    QStringList cells;
    int emptyRun = 0;
    while (xml.readNextStartElement()) {
        if (!isElement(xml, Table, "table-cell") && !isElement(xml, Table, "covered-table-cell")) {
            xml.skipCurrentElement();
            continue;
        }
        const int count = repeats(xml, "number-columns-repeated");
        const QString cell = cellOf(xml);
        if (cell.isEmpty()) {
            emptyRun = qMin(Columns, emptyRun + count);
            continue;
        }
        if (cells.size() + emptyRun + count > Columns)
            throw StoreError(QStringLiteral("il foglio di calcolo ha una cella oltre l'ultima colonna"),
                             StoreError::Kind::Invalid);
        for (; emptyRun > 0; --emptyRun)
            cells << QString();
        for (int i = 0; i < count; ++i)
            cells << cell;
    }
    return cells;
}

// Moves to the start of the sheet of that index; false when there is none.
bool findTable(QXmlStreamReader &xml, int index, QStringList *names)
{
    int seen = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || !isElement(xml, Table, "table"))
            continue;
        if (names)
            names->append(xml.attributes().value(Table, QLatin1String("name")).toString());
        if (seen++ == index)
            return true;
        xml.skipCurrentElement();
    }
    if (xml.hasError())
        refuse(xml);
    return false;
}

QList<SheetRow> rowsOfTable(QXmlStreamReader &xml)
{
    QList<SheetRow> rows;
    int number = 1;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            --depth;
        } else if (xml.isStartElement() && isElement(xml, Table, "table-row")) {
            const int count = repeats(xml, "number-rows-repeated");
            const QStringList cells = rowOf(xml);
            for (int i = 0; i < count && !cells.isEmpty() && number + i <= Rows; ++i)
                rows.append({number + i, cells});
            number += count;
        } else if (xml.isStartElement()) {
            // Row groups and headers hold rows; columns and shapes do not.
            if (isElement(xml, Table, "table-column") || isElement(xml, Table, "table-columns") || isElement(xml, Table, "shapes")
                || isElement(xml, Office, "forms"))
                xml.skipCurrentElement();
            else
                ++depth;
        }
    }
    if (xml.hasError())
        refuse(xml);
    return rows;
}

}

QStringList sheetNames(const ZipParts &parts)
{
    QStringList names;
    QXmlStreamReader xml(parts.read(QStringLiteral("content.xml")));
    findTable(xml, -1, &names);
    return names;
}

Sheet sheet(const ZipParts &parts, const QString &name)
{
    const int index = cellvalues::indexOfSheet(sheetNames(parts), name);
    QXmlStreamReader xml(parts.read(QStringLiteral("content.xml")));
    findTable(xml, index, nullptr);
    return sheetrows::fromRows(rowsOfTable(xml));
}

}
