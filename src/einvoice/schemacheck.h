#pragma once

#include <QByteArray>
#include <QStringList>

// The file against the official FatturaPA schema, with libxml2: what it
// finds, one fault per entry ("riga 12: Element 'CAP': ...", libxml2's own words); empty when the
// file is valid. Never reaches the network.
namespace schemacheck {

QStringList faults(const QByteArray &xml);
// The same against the schema of the SdI's notifications (receipts).
QStringList notificationFaults(const QByteArray &xml);

}
