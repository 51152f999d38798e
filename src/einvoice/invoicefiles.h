#pragma once

#include "billsource.h"
#include "invoice.h"
#include "office.h"

#include <QDateTime>
#include <QList>
#include <QString>

class Connection;

// Bills made into FatturaPA files: each file checked against the schema
// and the SdI's rules before it is written, named with a progressive that
// is never used twice, and recorded in the same transaction that takes the
// progressive.
namespace invoicefiles {

// A bill with what its invoice needs, checked and worked out; refused
// (InvoiceRefused) when something is missing or wrong.
struct Prepared
{
    Office office;
    BillSource bill;
    invoice::Invoice invoice;
};
Prepared prepare(Connection &connection, const QString &number, int year);

// Writes the bill's file into the folder; returns its path. Refused
// (InvoiceRefused) with nothing written when the bill cannot be made or the
// file does not pass the checks; a store failure is a StoreError.
QString generate(Connection &connection, const QString &number, int year, const QString &folder);

// The files of several bills, recorded in one transaction: the bills that
// cannot be made are told and skipped, the others written. A store failure
// (StoreError) takes back every file of the batch.
struct Batch
{
    QStringList written; // the files' paths
    QList<QPair<QString, QString>> refused; // the bill's number, and why
};
Batch generate(Connection &connection, const QStringList &numbers, int year, const QString &folder);

// The credit note, dated today, for bill NR of the year: for all of its
// services, or for those given. It takes the next number of the year
// ("NC1", "NC2", ...), never the bill's, and names the bill it corrects;
// its file is written and recorded as a bill's, in the folder given or
// else in that of the bill's latest file. Returns the file's path;
// refused (InvoiceRefused) with nothing written or recorded.
QString creditNote(Connection &connection, const QString &number, int year, const QList<qint64> &services, const QString &folder);
// The numbers of the credit notes already issued for the bill.
QStringList creditNotesOf(Connection &connection, const QString &number, int year);

// The bills of a year as the window lists them, each worked out, with
// their latest file.
struct Bill
{
    QString number;
    QDate date;
    QString client;
    qint64 cents = 0; // the services' amounts, as billed
    QString corrects; // a credit note's bill, "12/2026"
    std::optional<invoice::Invoice> invoice; // none while the bill cannot be made
    QString fileName; // empty while no file was written
    QString folder;
    QDateTime written;
    QString state; // of its latest file, with the SdI's errors of a rejected one
};
QList<Bill> ofYear(Connection &connection, int year);

}
