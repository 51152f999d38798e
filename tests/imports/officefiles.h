#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Files as other programs write them, for the import to read: one table of
// rows (the first the headers) written as XLSX by libxlsxwriter (cells
// that read as dates or amounts written as a spreadsheet holds them, as
// date-formatted numbers and numbers) or as an ODS by hand, with the
// repetitions, spaces and comments such files have.
namespace officefiles {

void writeXlsx(const QString &path, const QList<QStringList> &rows, const QString &sheet = QStringLiteral("Clienti"));
void writeOds(const QString &path, const QList<QStringList> &rows);
void writeBytes(const QString &path, const QByteArray &bytes);

}
