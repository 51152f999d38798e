#include "legalarchive.h"

#include "invoicefiles.h"
#include "invoicerefused.h"

#include "store/connection.h"
#include "store/durablefile.h"
#include "store/money.h"
#include "store/recordset.h"
#include "store/storeerror.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>

#include <zip.h>

#include <memory>

namespace legalarchive {

namespace {

struct Entry
{
    QString name;
    QByteArray content;
};

QString csvField(const QString &text)
{
    return text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"'))
        ? QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"')
        : text;
}

// The files sent for the year's bills and their notifications, and the
// index line of each file.
QList<Entry> entriesOf(Connection &connection, int year)
{
    QList<Entry> entries;
    QStringList index{QStringLiteral("Numero;Data;Cliente;Totale;File;Inviato il;Impronta SHA-256;Stato;Notifiche")};
    for (const invoicefiles::Bill &bill : invoicefiles::ofYear(connection, year)) {
        Recordset sent(connection,
                       QStringLiteral("SELECT I.NOMEFILE, I.QUANDO, I.HASH, I.CONTENUTO FROM FE_INVII AS I "
                                      "JOIN FE_FILE AS F ON F.NOMEFILE = I.NOMEFILE WHERE F.NR = ? AND F.ANNO = ? "
                                      "ORDER BY I.ID"),
                       {bill.number, year});
        // A file sent twice is kept once, as last sent.
        struct Kept
        {
            qsizetype entry, line;
        };
        QHash<QString, Kept> kept;
        for (; !sent.eof(); sent.moveNext()) {
            const QString name = sent.fields(0).text();
            const QByteArray content = sent.fields(3).text().toUtf8();
            if (QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex())
                != sent.fields(2).text())
                throw InvoiceRefused{
                    QStringLiteral("La copia conservata del file %1 non corrisponde all'impronta presa all'invio").arg(name)};
            const QString line =
                QStringList{
                    bill.number,
                    bill.date.toString(QStringLiteral("dd/MM/yyyy")),
                    csvField(bill.client),
                    Money::fromCents(bill.invoice ? bill.invoice->totalCents : bill.cents).plainText(),
                    name,
                    QDateTime::fromString(sent.fields(1).text(), Qt::ISODate).toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                    sent.fields(2).text(),
                    csvField(bill.state)}
                    .join(QLatin1Char(';'));
            if (const auto found = kept.constFind(name); found != kept.constEnd()) {
                entries[found->entry].content = content;
                index[found->line] = line;
                continue;
            }
            kept.insert(name, {entries.size(), index.size()});
            entries << Entry{QStringLiteral("fatture/") + name, content};
            index << line;
        }
    }
    if (entries.isEmpty())
        throw InvoiceRefused{QStringLiteral("Nessun file inviato per le parcelle del %1").arg(year)};
    // Each index line ends with the notifications kept for its file.
    for (int line = 1; line < index.size(); ++line) {
        const QString name = index.at(line).section(QLatin1Char(';'), 4, 4);
        QStringList notifications;
        for (Recordset notes(connection,
                             QStringLiteral("SELECT ORIGINE, CONTENUTO FROM FE_RICEVUTE WHERE NOMEFILE = ? ORDER BY ID"), {name});
             !notes.eof(); notes.moveNext()) {
            notifications << notes.fields(0).text();
            entries << Entry{QStringLiteral("notifiche/") + notes.fields(0).text(), notes.fields(1).text().toUtf8()};
        }
        index[line] += QLatin1Char(';') + notifications.join(QLatin1Char(' '));
    }
    entries << Entry{QStringLiteral("indice.csv"), "\xEF\xBB\xBF" + index.join(QStringLiteral("\r\n")).toUtf8() + "\r\n"};
    return entries;
}

void writeZip(const QString &path, const QList<Entry> &entries)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        throw StoreError(QStringLiteral("il file %1 non si può creare (libzip %2)").arg(path).arg(error));
    for (const Entry &entry : entries) {
        // The bytes stay with `entries` until the archive is closed.
        zip_source_t *source = zip_source_buffer(archive, entry.content.constData(), zip_uint64_t(entry.content.size()), 0);
        if (!source || zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            const QString why = QString::fromUtf8(zip_strerror(archive));
            zip_source_free(source);
            zip_discard(archive);
            throw StoreError(QStringLiteral("il file %1 non si può scrivere: %2").arg(path, why));
        }
    }
    if (zip_close(archive) < 0) {
        const QString why = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        throw StoreError(QStringLiteral("il file %1 non si può scrivere: %2").arg(path, why));
    }
}

}

QString exportYear(Connection &connection, int year, const QString &folder)
{
    const QList<Entry> entries = entriesOf(connection, year);
    const QString path = QDir(folder).absoluteFilePath(QStringLiteral("Fatture elettroniche %1.zip").arg(year));
    durablefile::make(
        path, [&](const QString &partial) { writeZip(partial, entries); }, durablefile::Existing::Replaced);
    return path;
}

}
