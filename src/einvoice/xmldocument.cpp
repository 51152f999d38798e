#include "xmldocument.h"

#include <libxml/parser.h>

XmlDocument readXml(const QByteArray &xml)
{
    return XmlDocument(xmlReadMemory(xml.constData(), int(xml.size()), "fattura.xml", nullptr, XML_PARSE_NONET), xmlFreeDoc);
}

QString notWellFormed()
{
    return QStringLiteral("il file non è XML ben formato");
}
