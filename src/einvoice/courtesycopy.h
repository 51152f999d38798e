#pragma once

#include <QString>

namespace invoicefiles {
struct Prepared;
}

// The printed courtesy copy of an electronic invoice: in the office's name,
// with every figure of the file (lines, fund, VAT summary, withholding,
// stamp, total, net due, payment), through the report engine.
namespace courtesycopy {

// "Copia di cortesia - parcella 12 del 2026.pdf"
QString fileName(const QString &number, int year);
// Writes the PDF, naming the bill's XML file when one was written; false
// when the PDF cannot be written.
bool write(const invoicefiles::Prepared &prepared, const QString &xmlFile, const QString &path);

}
