#include "invoicefiles.h"

#include "invoicechecks.h"
#include "invoicerefused.h"
#include "invoicexml.h"
#include "receipts.h"
#include "schemacheck.h"
#include "sdirules.h"

#include "store/connection.h"
#include "store/durablefile.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "store/storeerror.h"
#include "store/transaction.h"

#include <QDir>

#include <algorithm>

namespace invoicefiles {

namespace {

// The bill worked out, on a store that has the invoice tables.
Prepared prepareBill(Connection &connection, const QString &number, int year)
{
    BillSource bill = BillSource::read(connection, number, year);
    const std::optional<Office> loaded = Office::load(connection);
    const Office &office = invoicechecks::requireComplete(loaded, bill);
    invoice::Invoice made = invoice::make(office, bill);
    return {office, std::move(bill), std::move(made)};
}

void requireValid(const QByteArray &xml, const BillSource &bill)
{
    QStringList faults = schemacheck::faults(xml);
    for (QString &fault : faults)
        fault.prepend(QStringLiteral("Schema FatturaPA, "));
    faults += sdirules::faults(xml);
    for (QString &fault : faults)
        if (fault.size() > 0 && fault.at(0).isDigit())
            fault.prepend(QStringLiteral("Regola SdI "));
    if (!faults.isEmpty())
        throw InvoiceRefused{QStringLiteral("La fattura della parcella n. %1 del %2 non supera i controlli:\n%3")
                                 .arg(bill.number)
                                 .arg(bill.year)
                                 .arg(faults.join(QLatin1Char('\n')))};
}

struct Written
{
    QString path; // its name once the record is committed
    QString partial; // where it lies until then
};

// One bill's file, inside the caller's transaction, which records it: the
// file lies under a name of its own until the record is committed, so a
// kill never leaves an invoice's file without its record nor takes a
// progressive for a file that is not recorded.
bool recorded(Connection &connection, const QString &name)
{
    return Recordset(connection, QStringLiteral("SELECT count(*) FROM FE_FILE WHERE NOMEFILE = ?"), {name}).fields(0).toInteger()
        > 0;
}

Written writeOne(Connection &connection, const QString &number, int year, const QString &folder)
{
    const Prepared prepared = prepareBill(connection, number, year);
    // An office's counter put back (a restored copy, a hand edit) would
    // give a name already sent, which the SdI refuses as a duplicate: the
    // names recorded are passed over.
    qint64 progressive = prepared.office.progressivo + 1;
    while (!invoicexml::progressiveText(progressive).isEmpty()
           && recorded(connection, invoicexml::fileName(prepared.office, invoicexml::progressiveText(progressive))))
        ++progressive;
    const QString progressiveText = invoicexml::progressiveText(progressive);
    if (progressiveText.isEmpty())
        throw InvoiceRefused{QStringLiteral("Il progressivo dei file (PROGRESSIVO dei dati dello Studio) è esaurito")};
    const QByteArray xml = invoicexml::write(prepared.office, prepared.bill, prepared.invoice, progressiveText);
    requireValid(xml, prepared.bill);

    const QString name = invoicexml::fileName(prepared.office, progressiveText);
    if (!QDir().mkpath(folder))
        throw InvoiceRefused{QStringLiteral("La cartella %1 non può essere creata").arg(folder)};
    const QString path = QDir(folder).absoluteFilePath(name);
    const Written written{path, durablefile::partialName(path)};
    if (QFileInfo::exists(written.path))
        throw InvoiceRefused{
            QStringLiteral("Il file %1 esiste già: il progressivo dei dati dello Studio è indietro").arg(written.path)};
    try {
        durablefile::writeWhole(written.partial, xml);
    } catch (const StoreError &error) {
        throw InvoiceRefused{QStringLiteral("Impossibile scrivere %1: %2").arg(written.path, error.message())};
    }
    try {
        connection.execute(QStringLiteral("UPDATE STUDIO SET PROGRESSIVO = ?"), {progressive});
        connection.execute(QStringLiteral("INSERT INTO FE_FILE (NR, ANNO, PROGRESSIVO, NOMEFILE, CARTELLA, QUANDO, TOTALE) "
                                          "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                           {prepared.bill.number, year, progressive, name, QDir(folder).absolutePath(),
                            QDateTime::currentDateTime().toString(Qt::ISODate), prepared.invoice.totalCents});
    } catch (...) {
        QFile::remove(written.partial);
        throw;
    }
    return written;
}

// What a run killed between its commit and its renames, or before its
// commit, left in the folders the files go to: a file whose record was
// committed takes its name; one without a record is removed.
void settleLeftovers(Connection &connection, const QString &folder)
{
    QStringList folders{QDir(folder).absolutePath()};
    for (Recordset known(connection, QStringLiteral("SELECT DISTINCT CARTELLA FROM FE_FILE")); !known.eof(); known.moveNext())
        if (!folders.contains(known.fields(0).text()))
            folders << known.fields(0).text();
    for (const QString &path : folders) {
        const QDir dir(path);
        for (const QString &leftover : dir.entryList({QStringLiteral("*.xml.parziale-*")}, QDir::Files)) {
            if (!durablefile::isLeftover(leftover))
                continue;
            const QString name = leftover.left(leftover.indexOf(QLatin1String(".parziale-")));
            const bool recorded = Recordset(connection,
                                            QStringLiteral("SELECT count(*) FROM FE_FILE WHERE NOMEFILE = ? AND CARTELLA = ?"),
                                            {name, dir.absolutePath()})
                                      .fields(0)
                                      .toInteger()
                > 0;
            if (recorded && !dir.exists(name))
                durablefile::moveIntoPlace(dir.filePath(leftover), dir.filePath(name));
            else
                QFile::remove(dir.filePath(leftover));
        }
    }
}

// The files that `body` writes, recorded in one transaction: a store
// failure takes back every file, a refusal thrown by the body too.
template<typename Body>
Batch written(Connection &connection, const QString &folder, Body body)
{
    schema::ensureInvoiceTables(connection);
    settleLeftovers(connection, folder);
    Batch batch;
    QList<Written> files;
    {
        Transaction transaction(connection);
        try {
            // The progressive is the office's counter row: held from here to
            // the commit, so two desks never give one number twice, and a
            // refused bill takes none.
            connection.lockRows(QStringLiteral("STUDIO"), QStringLiteral("ID = ID"));
            body(files, batch);
            transaction.commit();
        } catch (...) {
            // Without their records the files are taken back.
            for (const Written &file : files)
                QFile::remove(file.partial);
            throw;
        }
    }
    for (const Written &file : files) {
        durablefile::moveIntoPlace(file.partial, file.path);
        batch.written << file.path;
    }
    return batch;
}

// "NC1", "NC2", ... within the year, after the highest given.
QString nextNoteNumber(Connection &connection, int year)
{
    qint64 highest = 0;
    for (Recordset rows(connection, QStringLiteral("SELECT NR FROM FE_NOTE WHERE ANNO = ?"), {year}); !rows.eof();
         rows.moveNext())
        highest = std::max(highest, rows.fields(0).text().mid(2).toLongLong());
    return QStringLiteral("NC%1").arg(highest + 1);
}

}

Prepared prepare(Connection &connection, const QString &number, int year)
{
    schema::ensureInvoiceTables(connection);
    return prepareBill(connection, number, year);
}

QString generate(Connection &connection, const QString &number, int year, const QString &folder)
{
    const Batch batch = generate(connection, QStringList{number}, year, folder);
    if (!batch.refused.isEmpty())
        throw InvoiceRefused{batch.refused.first().second};
    return batch.written.first();
}

Batch generate(Connection &connection, const QStringList &numbers, int year, const QString &folder)
{
    return written(connection, folder, [&](QList<Written> &files, Batch &batch) {
        for (const QString &number : numbers) {
            try {
                files << writeOne(connection, number, year, folder);
            } catch (const InvoiceRefused &refusal) {
                batch.refused << qMakePair(number, refusal.message);
            }
        }
    });
}

QString creditNote(Connection &connection, const QString &number, int year, const QList<qint64> &services, const QString &given)
{
    schema::ensureInvoiceTables(connection);
    QString folder = given;
    if (folder.isEmpty()) {
        Recordset latest(connection, QStringLiteral("SELECT CARTELLA FROM FE_FILE WHERE NR = ? AND ANNO = ? ORDER BY ID DESC"),
                         {number.trimmed(), year});
        if (latest.eof())
            throw InvoiceRefused{QStringLiteral("La parcella n. %1 del %2 non ha ancora un file: indicare la cartella della nota")
                                     .arg(number.trimmed())
                                     .arg(year)};
        folder = latest.fields(0).text();
    }
    const Batch batch = written(connection, folder, [&](QList<Written> &files, Batch &) {
        const QDate today = QDate::currentDate();
        const QString note = nextNoteNumber(connection, today.year());
        QStringList ids;
        for (qint64 id : services)
            ids << QString::number(id);
        connection.execute(QStringLiteral("INSERT INTO FE_NOTE (NR, ANNO, DATA, NR_FATTURA, ANNO_FATTURA, PRESTAZIONI) "
                                          "VALUES (?, ?, ?, ?, ?, ?)"),
                           {note, today.year(), today, number.trimmed(), year, ids.join(QLatin1Char(','))});
        files << writeOne(connection, note, today.year(), folder);
    });
    return batch.written.first();
}

QStringList creditNotesOf(Connection &connection, const QString &number, int year)
{
    schema::ensureInvoiceTables(connection);
    QStringList notes;
    for (Recordset rows(connection,
                        QStringLiteral("SELECT NR FROM FE_NOTE WHERE NR_FATTURA = ? AND ANNO_FATTURA = ? ORDER BY ID"),
                        {number.trimmed(), year});
         !rows.eof(); rows.moveNext())
        notes << rows.fields(0).text();
    return notes;
}

QList<Bill> ofYear(Connection &connection, int year)
{
    schema::ensureInvoiceTables(connection);
    ReadTransaction reading(connection);
    const QString latestFile = QStringLiteral("(SELECT NOMEFILE || '|' || CARTELLA || '|' || QUANDO FROM FE_FILE AS F "
                                              "WHERE F.ANNO = ?1 AND F.NR = %1.NR ORDER BY F.ID DESC LIMIT 1)");
    // The bills, then the credit notes of the year, which take their
    // client from the bill they correct.
    Recordset bills(connection,
                    QStringLiteral("SELECT NR, min(DATAP), min(CLIENTE), sum(IMPORTO), %1, '' "
                                   "FROM PRESTAZIONI AS P WHERE PARC = 'S' AND DATAP >= ?2 AND DATAP <= ?3 "
                                   "GROUP BY NR ORDER BY min(DATAP), CAST(NR AS INTEGER), NR")
                        .arg(latestFile.arg(QLatin1Char('P'))),
                    {year, QDate(year, 1, 1), QDate(year, 12, 31)});
    Recordset notes(connection,
                    QStringLiteral("SELECT NR, DATA, '', 0, %1, NR_FATTURA || '/' || ANNO_FATTURA FROM FE_NOTE AS N "
                                   "WHERE ANNO = ?1 ORDER BY ID")
                        .arg(latestFile.arg(QLatin1Char('N'))),
                    {year});
    QList<Bill> listed;
    for (Recordset *source : {&bills, &notes})
        for (Recordset &rows = *source; !rows.eof(); rows.moveNext()) {
            Bill bill;
            bill.number = rows.fields(0).text();
            // A note's date column is read as a date; the bills' least date
            // as its stored text.
            bill.date = rows.fields(1).toDate().isValid() ? rows.fields(1).toDate()
                                                          : QDate::fromString(rows.fields(1).text(), Qt::ISODate);
            bill.client = rows.fields(2).text();
            bill.cents = rows.fields(3).toInteger();
            bill.corrects = rows.fields(5).text();
            const QStringList file = rows.fields(4).text().split(QLatin1Char('|'));
            if (file.size() == 3) {
                bill.fileName = file.at(0);
                bill.folder = file.at(1);
                bill.written = QDateTime::fromString(file.at(2), Qt::ISODate);
                bill.state = receipts::stateOf(connection, bill.fileName).withErrors();
            }
            try {
                const Prepared prepared = prepareBill(connection, bill.number, year);
                bill.invoice = prepared.invoice;
                if (!bill.corrects.isEmpty()) {
                    bill.client = prepared.bill.client.soggetto;
                    bill.cents = prepared.invoice.servicesTaxableCents();
                }
            } catch (const InvoiceRefused &) {
                // Listed with its billed amount; "Genera XML" tells why.
            }
            listed << bill;
        }
    return listed;
}

}
