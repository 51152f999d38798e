#include "sending.h"

#include "invoicerefused.h"
#include "office.h"
#include "pecmessage.h"
#include "schemacheck.h"
#include "sdirules.h"
#include "smtpsend.h"

#include "store/connection.h"
#include "store/recordset.h"
#include "store/schema.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>

namespace sending {

QString sentBefore(Connection &connection, const QString &fileName)
{
    schema::ensureInvoiceTables(connection);
    Recordset sent(connection, QStringLiteral("SELECT QUANDO, DESTINATARIO FROM FE_INVII WHERE NOMEFILE = ? ORDER BY ID DESC"),
                   {fileName});
    if (sent.eof())
        return QString();
    const QDateTime when = QDateTime::fromString(sent.fields(0).text(), Qt::ISODate);
    return QStringLiteral("il %1 alle %2 a %3")
        .arg(when.toString(QStringLiteral("dd/MM/yyyy")), when.toString(QStringLiteral("HH:mm")), sent.fields(1).text());
}

Sent sendLatest(Connection &connection, const QString &number, int year, const QByteArray &password, bool again)
{
    schema::ensureInvoiceTables(connection);
    const std::optional<Office> office = Office::load(connection);
    if (!office || office->pec.isEmpty() || office->pecServer.isEmpty())
        throw InvoiceRefused{QStringLiteral("Mancano la PEC dello Studio o il suo server di invio: compilarli in Archivio, "
                                            "«Dati dello Studio»")};
    Recordset latest(connection,
                     QStringLiteral("SELECT NOMEFILE, CARTELLA FROM FE_FILE WHERE NR = ? AND ANNO = ? ORDER BY ID DESC"),
                     {number.trimmed(), year});
    if (latest.eof())
        throw InvoiceRefused{
            QStringLiteral("La parcella n. %1 del %2 non ha ancora un file da inviare").arg(number.trimmed()).arg(year)};
    Sent sent;
    sent.fileName = latest.fields(0).text();
    QFile file(QDir(latest.fields(1).text()).filePath(sent.fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw InvoiceRefused{QStringLiteral("Il file %1 non si legge: %2").arg(file.fileName(), file.errorString())};
    const QByteArray xml = file.readAll();
    const QStringList faults = schemacheck::faults(xml) + sdirules::faults(xml);
    if (!faults.isEmpty())
        throw InvoiceRefused{QStringLiteral("Il file %1 non supera più i controlli e non si invia:\n%2")
                                 .arg(sent.fileName, faults.join(QLatin1Char('\n')))};
    const QString hash = QString::fromLatin1(QCryptographicHash::hash(xml, QCryptographicHash::Sha256).toHex());
    Recordset before(connection, QStringLiteral("SELECT HASH FROM FE_INVII WHERE NOMEFILE = ? ORDER BY ID"), {sent.fileName});
    if (!before.eof() && before.fields(0).text() != hash)
        throw InvoiceRefused{QStringLiteral("Il file %1 è cambiato dopo l'invio %2: un file inviato non si cambia")
                                 .arg(sent.fileName, sentBefore(connection, sent.fileName))};
    if (!before.eof() && !again)
        throw InvoiceRefused{
            QStringLiteral("Il file %1 è già stato inviato %2").arg(sent.fileName, sentBefore(connection, sent.fileName))};

    sent.to = office->pecSdi.isEmpty() ? QLatin1String(SdiAddress) : office->pecSdi;
    const QDateTime now = QDateTime::currentDateTime();
    const pecmessage::Message message = pecmessage::compose(office->pec, sent.to, sent.fileName, xml, now);
    smtpsend::send({office->pecServer, office->pecUser.isEmpty() ? office->pec : office->pecUser, password}, office->pec, sent.to,
                   message.bytes);
    sent.messageId = message.messageId;
    connection.execute(QStringLiteral("INSERT INTO FE_INVII (NOMEFILE, QUANDO, DESTINATARIO, MESSAGEID, HASH, CONTENUTO) "
                                      "VALUES (?, ?, ?, ?, ?, ?)"),
                       {sent.fileName, now.toString(Qt::ISODate), sent.to, sent.messageId, hash, QString::fromUtf8(xml)});
    return sent;
}

}
