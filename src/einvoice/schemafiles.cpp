#include "schemafiles.h"

#include <QFile>

namespace {

QByteArray resource(const char *name)
{
    QFile file(QStringLiteral(":/einvoice/") + QLatin1String(name));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

}

const QByteArray &schemafiles::invoiceSchema()
{
    static const QByteArray bytes = resource("Schema_del_file_xml_FatturaPA_v1.2.2.xsd");
    return bytes;
}

const QByteArray &schemafiles::notificationSchema()
{
    static const QByteArray bytes = resource("MessaggiTypes_v1.1.xsd");
    return bytes;
}

const QByteArray &schemafiles::signatureSchema()
{
    static const QByteArray bytes = resource("xmldsig-core-schema.xsd");
    return bytes;
}
