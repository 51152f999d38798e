#include "schemacheck.h"

#include "schemafiles.h"
#include "xmldocument.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlschemas.h>

#include <cstring>
#include <mutex>

namespace {

// The invoice schema imports the signature schema from the W3C's address,
// the notifications' schema from beside it: it is served from the
// program's own copy, and nothing else is ever fetched.
xmlParserInputPtr localOnly(const char *url, const char *, xmlParserCtxtPtr context)
{
    if (url && (std::strcmp(url, schemafiles::SignatureLocation) == 0 || std::strcmp(url, schemafiles::SignatureBeside) == 0))
        return xmlNewStringInputStream(context, reinterpret_cast<const xmlChar *>(schemafiles::signatureSchema().constData()));
    return nullptr;
}

void collect(void *faults, xmlErrorPtr error)
{
    QString text = QString::fromUtf8(error->message).trimmed();
    if (error->line > 0)
        text = QStringLiteral("riga %1, %2").arg(error->line).arg(text);
    static_cast<QStringList *>(faults)->append(text);
}

struct Schema
{
    xmlSchemaPtr schema = nullptr;
    QStringList faults;
};

Schema parsed(const QByteArray &bytes)
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(localOnly);
    });
    Schema loaded;
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewMemParserCtxt(bytes.constData(), int(bytes.size()));
    xmlSchemaSetParserStructuredErrors(parser, collect, &loaded.faults);
    loaded.schema = xmlSchemaParse(parser);
    xmlSchemaFreeParserCtxt(parser);
    return loaded;
}

// Against a schema parsed once per run, which libxml2's validation
// contexts share.
QStringList faultsAgainst(const Schema &official, const QByteArray &xml, const QString &name)
{
    if (!official.schema)
        return QStringList{QStringLiteral("lo schema %1 del programma non si legge: ").arg(name)} + official.faults;
    QStringList found;
    const XmlDocument document = readXml(xml);
    if (!document)
        return {notWellFormed()};
    xmlSchemaValidCtxtPtr validation = xmlSchemaNewValidCtxt(official.schema);
    xmlSchemaSetValidStructuredErrors(validation, collect, &found);
    const int result = xmlSchemaValidateDoc(validation, document.get());
    xmlSchemaFreeValidCtxt(validation);
    if (result != 0 && found.isEmpty())
        found << QStringLiteral("il file non rispetta lo schema %1").arg(name);
    return found;
}

}

QStringList schemacheck::faults(const QByteArray &xml)
{
    static const Schema invoices = parsed(schemafiles::invoiceSchema());
    return faultsAgainst(invoices, xml, QStringLiteral("FatturaPA"));
}

QStringList schemacheck::notificationFaults(const QByteArray &xml)
{
    static const Schema notifications = parsed(schemafiles::notificationSchema());
    return faultsAgainst(notifications, xml, QStringLiteral("delle notifiche SdI"));
}
