#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class Connection;

// What the SdI answered about the files sent: its notifications read from
// a folder (loose, or inside saved PEC mails), each checked against its
// schema, matched to the invoice file it names and kept with it in the
// archive, never changed; and the state of each file they give.
namespace receipts {

struct Outcome
{
    enum class Result { Kept, AlreadyKept, NoInvoice, NotANotification };
    QString source; // the file read; for a mail, with the attachment's name
    Result result = Result::NotANotification;
    QString number; // the bill (or credit note) of the file matched
    int year = 0;
    QString invoiceFile;
    QString state; // the file's state once the notification is kept
    QString why; // why a file was not taken
};

// Every notification in the folder: the files named as the SdI names its
// notifications (IT..._00001_RC_001.xml) and the saved mails (.eml), in
// the order of their names. The address the SdI answers from by PEC
// becomes the office's address of the SdI, when it has none yet. All are kept in one transaction: a store
// failure (StoreError) keeps none; a file that is not a notification, or
// names no file sent, changes nothing.
QList<Outcome> readFolder(Connection &connection, const QString &folder);
// The outcome in a line, with what the office does next for a file
// rejected or not delivered.
QString describe(const Outcome &outcome);

// The state of an invoice file: "da inviare", "inviata", "consegnata", "non
// consegnata", "scartata", "accettata", "rifiutata", "decorrenza termini",
// "non recapitata"; for a rejected one, the SdI's errors ("00404 Fattura
// duplicata").
struct State
{
    QString text;
    QStringList errors;
    QDateTime since; // of the notification that gave it; invalid for none
    QString withErrors() const;
};
State stateOf(Connection &connection, const QString &invoiceFile);

}
