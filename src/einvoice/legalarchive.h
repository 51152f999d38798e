#pragma once

#include <QString>

class Connection;

// The year's electronic invoices for the office's legal archiving
// provider: one ZIP with every file as it was sent (from the archive,
// checked against the hash taken at sending), the SdI's notifications on
// them as they came, and an index (indice.csv).
namespace legalarchive {

// "Fatture elettroniche 2026.zip" in the folder, whole or not at all,
// replacing an earlier one; returns its path. A file whose kept copy no
// longer matches its hash is refused (InvoiceRefused), as is a year with
// nothing sent; a store or disk failure is a StoreError.
QString exportYear(Connection &connection, int year, const QString &folder);

}
