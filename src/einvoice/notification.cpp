#include "notification.h"

#include "schemacheck.h"

#include <QHash>
#include <QXmlStreamReader>

namespace {

const QHash<QString, QString> &kinds()
{
    static const QHash<QString, QString> byElement = {
        {QStringLiteral("RicevutaConsegna"), QStringLiteral("RC")},
        {QStringLiteral("NotificaScarto"), QStringLiteral("NS")},
        {QStringLiteral("NotificaMancataConsegna"), QStringLiteral("MC")},
        {QStringLiteral("NotificaEsito"), QStringLiteral("NE")},
        {QStringLiteral("NotificaDecorrenzaTermini"), QStringLiteral("DT")},
        {QStringLiteral("AttestazioneTrasmissioneFattura"), QStringLiteral("AT")},
    };
    return byElement;
}

}

std::optional<Notification> Notification::read(const QByteArray &xml, QString *why)
{
    const QStringList faults = schemacheck::notificationFaults(xml);
    if (!faults.isEmpty()) {
        *why = faults.first();
        return std::nullopt;
    }
    QXmlStreamReader reader(xml);
    Notification read;
    QStringList path;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement()) {
            path.removeLast();
            continue;
        }
        if (!reader.isStartElement())
            continue;
        path << reader.name().toString();
        if (path.size() == 1) {
            read.kind = kinds().value(path.first());
            continue;
        }
        // Only the message's own fields: a signature and an archive's
        // reference have names of their own.
        const QString where = path.mid(1).join(QLatin1Char('/'));
        if (where == QLatin1String("NomeFile")) {
            read.invoiceFile = reader.readElementText().trimmed();
        } else if (where == QLatin1String("IdentificativoSdI")) {
            read.sdiId = reader.readElementText().trimmed();
        } else if (where == QLatin1String("DataOraConsegna")
                   || (where == QLatin1String("DataOraRicezione") && !read.when.isValid())) {
            read.when = QDateTime::fromString(reader.readElementText().trimmed(), Qt::ISODate);
        } else if (where == QLatin1String("EsitoCommittente/Esito")) {
            read.outcome = reader.readElementText().trimmed();
        } else if (where == QLatin1String("EsitoCommittente/Descrizione") || where == QLatin1String("Descrizione")) {
            read.description = reader.readElementText().simplified();
        } else if (where == QLatin1String("ListaErrori/Errore/Codice")) {
            read.errors << qMakePair(reader.readElementText().trimmed(), QString());
        } else if (where == QLatin1String("ListaErrori/Errore/Descrizione") && !read.errors.isEmpty()) {
            read.errors.last().second = reader.readElementText().simplified();
        } else {
            continue;
        }
        path.removeLast(); // readElementText consumed its end
    }
    if (read.kind.isEmpty()) {
        *why = QStringLiteral("è un messaggio dello SdI per chi riceve fatture, non una notifica su un file inviato");
        return std::nullopt;
    }
    if (read.invoiceFile.endsWith(QLatin1String(".p7m"), Qt::CaseInsensitive))
        read.invoiceFile.chop(4);
    return read;
}
