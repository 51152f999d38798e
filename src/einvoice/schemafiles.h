#pragma once

#include <QByteArray>

// The official FatturaPA schema (1.2.2) and the W3C signature schema it
// imports, as the program carries them.
namespace schemafiles {

const QByteArray &invoiceSchema();
const QByteArray &signatureSchema();
// The schema of the SdI's notifications (1.1).
const QByteArray &notificationSchema();
// Where the invoice schema says the signature schema lies.
inline constexpr const char *SignatureLocation = "http://www.w3.org/TR/2002/REC-xmldsig-core-20020212/xmldsig-core-schema.xsd";
// Where the notifications' schema says it lies.
inline constexpr const char *SignatureBeside = "../xmldsig-core-schema.xsd";
inline constexpr const char *Namespace = "http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2";

}
