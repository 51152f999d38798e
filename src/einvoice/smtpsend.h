#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A mail handed to the office's PEC server over TLS, with libcurl:
// "smtps://server:465" with TLS from the start, or "smtp://server:587"
// made secure by STARTTLS, never in clear. The certificates the system
// trusts, or the file VELMORA_PEC_CA names.
namespace smtpsend {

struct Mailbox
{
    QString server; // a URL, or a bare host for smtps on 465
    QString user;
    QByteArray password;
};

// Throws InvoiceRefused with the server's or the network's reason when
// the mail is not accepted.
void send(const Mailbox &mailbox, const QString &from, const QString &to, const QByteArray &message);

}
