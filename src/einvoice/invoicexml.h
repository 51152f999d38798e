#pragma once

#include <QByteArray>
#include <QString>

struct BillSource;
struct Office;
namespace invoice {
struct Invoice;
}

// The FatturaPA file of an invoice (schema 1.2.2) and its name.
namespace invoicexml {

// The transmitter's tax id the SdI knows the office by: its tax code, or its
// VAT number without one.
QString transmitterId(const Office &office);
// "IT" + the transmitter's id + "_" + the five-character progressive + ".xml".
QString fileName(const Office &office, const QString &progressive);
// The progressive written in five digits; none above 99999.
QString progressiveText(qint64 progressive);

QByteArray write(const Office &office, const BillSource &bill, const invoice::Invoice &invoice, const QString &progressive);

}
