#pragma once

#include <QByteArray>
#include <QString>

class Connection;

// A bill's latest file sent to the SdI from the office's PEC mailbox: to
// its general address at first, to the one it assigned once the office
// wrote it in "Dati dello Studio". Each sending is recorded with its time,
// its message id and the hash of what was sent; a file is sent again
// only when the caller says so, and never once it changed.
namespace sending {

struct Sent
{
    QString fileName;
    QString to;
    QString messageId;
};

// The SdI's address for a first sending.
inline constexpr const char *SdiAddress = "sdi01@pec.fatturapa.it";

// When and to whom the file was sent before ("il 09/12/2026 alle 10:32 a
// sdi01@pec.fatturapa.it"); empty when it never was.
QString sentBefore(Connection &connection, const QString &fileName);

// The latest file of bill (or credit note) NR of the year, sent. Refused
// (InvoiceRefused) with nothing recorded: no file, no mailbox, a file that
// no longer passes the checks or changed since it was sent, a file sent
// before unless `again`, or a server that did not take the mail.
Sent sendLatest(Connection &connection, const QString &number, int year, const QByteArray &password, bool again);

}
