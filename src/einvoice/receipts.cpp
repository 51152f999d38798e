#include "receipts.h"

#include "mailattachments.h"
#include "notification.h"

#include "store/connection.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "store/transaction.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

namespace receipts {

namespace {

// How far along each notification takes a file: a public
// administration's answer or its lapse of terms ends its course.
int rankOf(const QString &kind)
{
    static const QHash<QString, int> ranks = {{QStringLiteral("NS"), 1}, {QStringLiteral("MC"), 2}, {QStringLiteral("AT"), 2},
                                              {QStringLiteral("RC"), 3}, {QStringLiteral("DT"), 4}, {QStringLiteral("NE"), 5}};
    return ranks.value(kind);
}

QString stateText(const QString &kind, const QString &outcome)
{
    if (kind == QLatin1String("NS"))
        return QStringLiteral("scartata");
    if (kind == QLatin1String("MC"))
        return QStringLiteral("non consegnata");
    if (kind == QLatin1String("AT"))
        return QStringLiteral("non recapitata");
    if (kind == QLatin1String("RC"))
        return QStringLiteral("consegnata");
    if (kind == QLatin1String("DT"))
        return QStringLiteral("decorrenza termini");
    return outcome == QLatin1String("EC02") ? QStringLiteral("rifiutata") : QStringLiteral("accettata");
}

struct Read
{
    QString source; // the file, and the attachment's name for a mail
    QString name; // the notification's own file name
    QByteArray content;
    QString sender; // for a notification from a mail
};

// The notifications of a folder, and the XML files of its saved mails.
QList<Read> filesOf(const QString &folder)
{
    static const QRegularExpression notificationName(QStringLiteral("_(RC|NS|MC|NE|DT|AT)_[0-9A-Za-z]{3}\\.xml$"),
                                                     QRegularExpression::CaseInsensitiveOption);
    QList<Read> found;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        const bool mail = name.endsWith(QLatin1String(".eml"), Qt::CaseInsensitive);
        if (!mail && !notificationName.match(name).hasMatch())
            continue;
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            found << Read{name, name, QByteArray(), QString()};
            continue;
        }
        const QByteArray content = file.readAll();
        if (!mail) {
            found << Read{name, name, content, QString()};
            continue;
        }
        for (const mailattachments::Attachment &attachment : mailattachments::xmlFiles(content))
            if (notificationName.match(attachment.name).hasMatch())
                found << Read{name + QStringLiteral(": ") + attachment.name, attachment.name, attachment.content,
                              attachment.sender};
    }
    return found;
}

// The file sent that a notification names: "IT..._00001.xml.p7m" and
// "IT..._00001.xml" both name IT..._00001.xml.
QString sentName(const QString &named)
{
    const QString base = named.left(named.indexOf(QLatin1Char('.')));
    return base + QStringLiteral(".xml");
}

Outcome take(Connection &connection, const Read &file)
{
    Outcome outcome;
    outcome.source = file.source;
    QString why;
    const std::optional<Notification> notification = Notification::read(file.content, &why);
    if (!notification) {
        outcome.why = why;
        return outcome;
    }
    outcome.invoiceFile = sentName(notification->invoiceFile);
    Recordset sent(connection, QStringLiteral("SELECT NR, ANNO FROM FE_FILE WHERE NOMEFILE = ? ORDER BY ID DESC"),
                   {outcome.invoiceFile});
    if (sent.eof()) {
        outcome.result = Outcome::Result::NoInvoice;
        outcome.why = QStringLiteral("nessun file inviato si chiama %1").arg(outcome.invoiceFile);
        return outcome;
    }
    outcome.number = sent.fields(0).text();
    outcome.year = int(sent.fields(1).toInteger());
    const bool kept =
        Recordset(connection, QStringLiteral("SELECT count(*) FROM FE_RICEVUTE WHERE NOMEFILE = ? AND TIPO = ? AND ORIGINE = ?"),
                  {outcome.invoiceFile, notification->kind, file.name})
            .fields(0)
            .toInteger()
        > 0;
    if (kept) {
        outcome.result = Outcome::Result::AlreadyKept;
    } else {
        QStringList errors;
        for (const auto &[code, description] : notification->errors)
            errors << code + QLatin1Char(' ') + description;
        connection.execute(QStringLiteral("INSERT INTO FE_RICEVUTE (NOMEFILE, TIPO, IDSDI, QUANDO, LETTA, ESITO, DESCRIZIONE, "
                                          "ERRORI, ORIGINE, CONTENUTO) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                           {outcome.invoiceFile, notification->kind, notification->sdiId,
                            notification->when.toString(Qt::ISODate), QDateTime::currentDateTime().toString(Qt::ISODate),
                            notification->outcome, notification->description, errors.join(QLatin1Char('\n')), file.name,
                            QString::fromUtf8(file.content)});
        outcome.result = Outcome::Result::Kept;
    }
    outcome.state = stateOf(connection, outcome.invoiceFile).withErrors();
    return outcome;
}

}

QString State::withErrors() const
{
    return errors.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, errors.join(QStringLiteral("; ")));
}

QList<Outcome> readFolder(Connection &connection, const QString &folder)
{
    schema::ensureInvoiceTables(connection);
    const QList<Read> files = filesOf(folder);
    QList<Outcome> outcomes;
    Transaction transaction(connection);
    // The SdI answers from the PEC address it assigned to the office, the
    // one the next files go to.
    static const QRegularExpression sdiAddress(QStringLiteral("^sdi[0-9]+@pec\\.fatturapa\\.it$"));
    for (const Read &file : files) {
        outcomes << take(connection, file);
        if (outcomes.last().result == Outcome::Result::Kept && sdiAddress.match(file.sender).hasMatch())
            connection.execute(QStringLiteral("UPDATE STUDIO SET PECSDI = ? WHERE PECSDI IS NULL OR PECSDI = ''"), {file.sender});
    }
    transaction.commit();
    return outcomes;
}

QString describe(const Outcome &outcome)
{
    const QString bill = QStringLiteral("parcella %1 del %2 (%3): %4")
                             .arg(outcome.number)
                             .arg(outcome.year)
                             .arg(outcome.invoiceFile, outcome.state);
    switch (outcome.result) {
    case Outcome::Result::Kept:
        if (outcome.state.startsWith(QLatin1String("non consegnata")))
            return QStringLiteral("%1: %2 - avvisare il cliente che la trova nella sua area riservata").arg(outcome.source, bill);
        if (outcome.state.startsWith(QLatin1String("scartata")))
            return QStringLiteral("%1: %2 - correggere e generare di nuovo il file entro cinque giorni: stesso numero e data, "
                                  "nuovo progressivo")
                .arg(outcome.source, bill);
        return QStringLiteral("%1: %2").arg(outcome.source, bill);
    case Outcome::Result::AlreadyKept:
        return QStringLiteral("%1: già letta, %2").arg(outcome.source, bill);
    case Outcome::Result::NoInvoice:
        return QStringLiteral("%1: non corrisponde a nessuna fattura (%2)").arg(outcome.source, outcome.why);
    case Outcome::Result::NotANotification:
        break;
    }
    return QStringLiteral("%1: non è una notifica valida (%2)").arg(outcome.source, outcome.why);
}

State stateOf(Connection &connection, const QString &invoiceFile)
{
    const bool sent = Recordset(connection, QStringLiteral("SELECT count(*) FROM FE_INVII WHERE NOMEFILE = ?"), {invoiceFile})
                          .fields(0)
                          .toInteger()
        > 0;
    State state{sent ? QStringLiteral("inviata") : QStringLiteral("da inviare"), {}, {}};
    int rank = 0;
    for (Recordset rows(connection,
                        QStringLiteral("SELECT TIPO, ESITO, ERRORI, QUANDO, LETTA FROM FE_RICEVUTE WHERE NOMEFILE = ? "
                                       "ORDER BY ID"),
                        {invoiceFile});
         !rows.eof(); rows.moveNext()) {
        const QString kind = rows.fields(0).text();
        if (rankOf(kind) < rank)
            continue;
        rank = rankOf(kind);
        state.text = stateText(kind, rows.fields(1).text());
        state.errors = rows.fields(2).text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        state.since = QDateTime::fromString(rows.fields(3).text(), Qt::ISODate);
        if (!state.since.isValid())
            state.since = QDateTime::fromString(rows.fields(4).text(), Qt::ISODate);
    }
    return state;
}

}
